// The tape grid: which keys reach the calculator, which open a cell editor, and how the
// selection follows the engine's current line.
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QList>
#include <QModelIndex>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <string_view>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "shell/OptionTable.h"

namespace talvex {
namespace {

constexpr int kDate = 3;
constexpr int kDescription = 4;
constexpr int kAmount = 5;
constexpr int kOp = 6;
constexpr int kRef = 7;

// The engine's changes reach the model and the view, as in the window.
class GridPort : public ViewPort {
  public:
    void rowsChanged(int first, int last) override {
        if (model) model->rowsChanged(first, last);
    }
    void rowCountChanged(int lastRow) override {
        if (model) model->rowCountChanged(lastRow);
    }
    void currentRowChanged(int row) override {
        if (view) view->showTapeRow(row);
    }
    void showDisplay(const std::string&) override {
        if (model && forwardEntry) model->entryChanged();
    }
    TapeModel* model = nullptr;
    TapeView* view = nullptr;
    bool forwardEntry = true;
};

struct Grid {
    Grid() {
        document.columns.setDefaults();
        engine.setCalcOption(1, 1);
        model.columnsChanged();
        view.setModel(&model);
        port.model = &model;
        port.view = &view;
        view.resize(640, 300);
        view.show();
        view.setFocus();
    }
    void run(std::string_view keys) {
        for (char c : keys) engine.keyChar(c);
    }
    // Wires the keys to the engine the way the window does.
    void connectEngine() {
        QObject::connect(&view, &TapeView::keyChar, [this](char c) { engine.keyChar(c); });
        QObject::connect(&view, &TapeView::rowSelected, [this](int row) {
            if (!engine.clickRow(row)) view.showTapeRow(engine.curRow());
        });
    }
    QModelIndex at(int tapeRow, int dataColumn) const {
        return model.index(model.modelRow(tapeRow), TapeModel::modelColumn(dataColumn));
    }
    void click(int tapeRow, int dataColumn) {
        const QRect cell = view.visualRect(at(tapeRow, dataColumn));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    }
    bool editorOpen() const {
        const auto* editor = view.viewport()->findChild<QLineEdit*>();
        return editor && editor->isVisible();
    }
    int currentTapeRow() const { return model.tapeRow(view.currentIndex().row()); }
    QList<int> selectedTapeRows() const {
        QList<int> rows;
        for (const QModelIndex& index : view.selectionModel()->selectedRows())
            rows << model.tapeRow(index.row());
        return rows;
    }

    GridPort port;
    AddinPort addins;
    Engine engine{port, addins};
    TapeDocument document{engine};
    OptionTable options;
    TapeModel model{engine, document, options};
    TapeView view;
};

}  // namespace

class TapeViewTest : public QObject {
    Q_OBJECT

  private slots:
    // Characters are calculator keys, except where the cell takes typed text: there they open
    // an editor.
    void charactersGoToTheCalculator() {
        const struct {
            int column;
            bool tapeOn;
            const char* typed;
            bool toEngine;
        } cases[] = {{kAmount, true, "12.5+", true},   {kAmount, true, "1 3", true},
                     {kOp, true, "7", true},           {kDate, true, "s", true},
                     {kDescription, true, "a", false}, {kAmount, false, "5", false}};
        for (const auto& c : cases) {
            Grid grid;
            grid.engine.setTapeOn(c.tapeOn);
            grid.view.setCurrentDataColumn(c.column);
            QSignalSpy chars(&grid.view, &TapeView::keyChar);
            QTest::keyClicks(&grid.view, c.typed);
            QString sent;
            for (const QList<QVariant>& args : chars) sent += QChar(args.at(0).value<char>());
            QCOMPARE(sent, QString(c.toEngine ? c.typed : ""));
            QCOMPARE(grid.editorOpen(), !c.toEngine);
        }
    }

    // The first character opens the editor and Enter writes the cell through the engine. With
    // the tape off the amount editor takes only what the keys can enter: the separators of a
    // register record never reach the cell.
    void editorCommitsThroughTheEngine() {
        const struct {
            int column;
            const char *typed, *kept;
        } cases[] = {{kDescription, "Rent", "Rent"}, {kAmount, "7:2|1 3/4x", "721 3/4"}};
        for (const auto& c : cases) {
            Grid grid;
            grid.engine.setTapeOn(c.column != kAmount);
            grid.view.setCurrentDataColumn(c.column);
            QTest::keyClick(&grid.view, c.typed[0]);
            auto* editor = grid.view.viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            QTest::keyClicks(editor, c.typed + 1);
            QCOMPARE(editor->text(), QString(c.kept));
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_VERIFY(!grid.editorOpen());
            QCOMPARE(grid.engine.cell(grid.engine.curRow(), c.column), std::string(c.kept));
        }
    }

    // Keys typed on the tape repaint the entry on its line even when only the keypad's
    // display path is wired.
    void keyedEntryAppearsOnTheTape() {
        Grid grid;
        grid.connectEngine();
        grid.port.forwardEntry = false;
        QSignalSpy changed(&grid.model, &QAbstractItemModel::dataChanged);
        QTest::keyClicks(&grid.view, "42");
        QCOMPARE(grid.at(1, kAmount).data().toString().trimmed(), QString("42"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).value<QModelIndex>(), grid.at(1, kAmount));
        QTest::keyClick(&grid.view, '+');
        QCOMPARE(grid.at(1, kAmount).data().toString(), QString("42."));
        QCOMPARE(grid.currentTapeRow(), 2);
    }

    // Each command key sends its one signal; Delete and Insert with other modifiers send none.
    void commandKeys() {
        enum { kCode, kBackspace, kInsert, kDelete, kNone };
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int signal, code;
        } cases[] = {{Qt::Key_Escape, {}, kCode, key::kClearEntry},
                     {Qt::Key_F9, {}, kCode, key::kClear},
                     {Qt::Key_Backspace, {}, kBackspace, -1},
                     {Qt::Key_Insert, {}, kInsert, -1},
                     {Qt::Key_Delete, Qt::ControlModifier, kDelete, -1},
                     {Qt::Key_Delete, {}, kNone, -1},
                     {Qt::Key_Insert, Qt::ShiftModifier, kNone, -1}};
        Grid grid;
        for (const auto& c : cases) {
            QSignalSpy codes(&grid.view, &TapeView::keyCode);
            QSignalSpy backspaces(&grid.view, &TapeView::backspacePressed);
            QSignalSpy inserts(&grid.view, &TapeView::insertLine);
            QSignalSpy deletes(&grid.view, &TapeView::deleteLine);
            QTest::keyClick(&grid.view, c.key, c.modifiers);
            const QSignalSpy* spies[] = {&codes, &backspaces, &inserts, &deletes};
            for (int s = 0; s < kNone; ++s) QCOMPARE(spies[s]->count(), s == c.signal ? 1 : 0);
            if (c.code >= 0) QCOMPARE(codes.first().at(0).toInt(), c.code);
        }
    }

    // Enter on the open row's amount, or right of it, completes the entry; elsewhere it moves
    // down a line.
    void enter() {
        const struct {
            int row, column;
            bool toEngine;
            int rowAfter;
        } cases[] = {{3, kAmount, true, 3},
                     {3, kRef, true, 3},
                     {3, kDescription, false, 3},
                     {1, kAmount, false, 2}};
        for (const auto& c : cases) {
            Grid grid;
            grid.run("5+7+");
            grid.view.showTapeRow(c.row);
            grid.view.setCurrentDataColumn(c.column);
            QSignalSpy enters(&grid.view, &TapeView::enterPressed);
            QSignalSpy selected(&grid.view, &TapeView::rowSelected);
            QTest::keyClick(&grid.view, Qt::Key_Return);
            QCOMPARE(enters.count(), c.toEngine ? 1 : 0);
            QCOMPARE(grid.currentTapeRow(), c.rowAfter);
            QCOMPARE(selected.count(), c.rowAfter != c.row ? 1 : 0);
        }
    }

    void clickProposesTheRowButShowingDoesNot() {
        Grid grid;
        grid.run("5+7+");
        QSignalSpy selected(&grid.view, &TapeView::rowSelected);
        grid.click(1, kAmount);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().at(0).toInt(), 1);
        grid.view.showTapeRow(2);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(grid.currentTapeRow(), 2);
        QCOMPARE(grid.selectedTapeRows(), QList<int>{2});
    }

    // An amount overtyped on a new line cannot be left without an operator: the click is
    // taken back, selection and cell included.
    void refusedMovePutsTheSelectionBack() {
        Grid grid;
        grid.run("5+7+");
        grid.connectEngine();
        grid.view.setCurrentDataColumn(kAmount);
        grid.engine.editAmount("9");
        grid.click(1, kDescription);
        QCOMPARE(grid.engine.curRow(), 3);
        QCOMPARE(grid.currentTapeRow(), 3);
        QCOMPARE(grid.view.currentDataColumn(), kAmount);
        QCOMPARE(grid.selectedTapeRows(), QList<int>{3});
        QCoreApplication::processEvents();
        QCOMPARE(grid.selectedTapeRows(), QList<int>{3});
    }

    void layoutFollowsColumnsAndOptions() {
        Grid grid;
        grid.document.columns.column(kDate).visible = false;
        grid.document.columns.setWidth(kOp, 0);
        grid.options.setOption(4, 0);  // "Column Headers"
        grid.view.applyLayout();
        QVERIFY(grid.view.isColumnHidden(TapeModel::modelColumn(kDate)));
        QVERIFY(grid.view.columnWidth(TapeModel::modelColumn(kOp)) > 0);
        const int digit = grid.view.fontMetrics().horizontalAdvance('0');
        QVERIFY(grid.view.columnWidth(TapeModel::modelColumn(kAmount)) >= 14 * digit);
        QVERIFY(grid.view.horizontalHeader()->isHidden());
        QVERIFY(grid.view.verticalHeader()->width() >= 3 * digit);
        grid.options.setOption(3, 0);  // "LineNos Wdth" off hides the line numbers
        grid.view.applyLayout();
        QVERIFY(grid.view.verticalHeader()->isHidden());
    }

    void currentLineStaysInView() {
        Grid grid;
        grid.engine.setMaxRows(1000);
        for (int i = 0; i < 300; ++i) grid.run("1+");
        const QRect open = grid.view.visualRect(grid.at(grid.engine.lastRow(), kAmount));
        QVERIFY(grid.view.viewport()->rect().contains(open));
        QCOMPARE(grid.currentTapeRow(), grid.engine.lastRow());
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::TapeViewTest)
#include "TapeViewTest.moc"
