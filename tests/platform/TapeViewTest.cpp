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
    void charactersGoToTheCalculator_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("tapeOn");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("toEngine");
        const auto row = [](const char* name, int column, bool tapeOn, const char* typed,
                            bool toEngine) {
            QTest::newRow(name) << column << tapeOn << QString(typed) << toEngine;
        };
        row("digits in the amount", kAmount, true, "12.5+", true);
        row("blank of a fraction", kAmount, true, "1 3", true);
        row("locked operator column", kOp, true, "7", true);
        row("locked date column", kDate, true, "s", true);
        row("description opens an editor", kDescription, true, "a", false);
        row("amount with the tape off", kAmount, false, "5", false);
    }
    void charactersGoToTheCalculator() {
        QFETCH(int, column);
        QFETCH(bool, tapeOn);
        QFETCH(QString, typed);
        QFETCH(bool, toEngine);
        Grid grid;
        grid.engine.setTapeOn(tapeOn);
        grid.view.setCurrentDataColumn(column);
        QSignalSpy chars(&grid.view, &TapeView::keyChar);
        QTest::keyClicks(&grid.view, typed);
        QString sent;
        for (const QList<QVariant>& args : chars) sent += QChar(args.at(0).value<char>());
        QCOMPARE(sent, toEngine ? typed : QString());
        QCOMPARE(grid.editorOpen(), !toEngine);
    }

    void editorCommitsThroughTheEngine() {
        Grid grid;
        grid.view.setCurrentDataColumn(kDescription);
        QTest::keyClick(&grid.view, 'R');
        auto* editor = grid.view.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "ent");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!grid.editorOpen());
        QCOMPARE(grid.engine.cell(grid.engine.curRow(), kDescription), std::string("Rent"));
    }

    // With the tape off the amount is typed in an editor, which takes only what the keys can
    // enter: the separators of a register record never reach the cell.
    void amountEditorRefusesWhatKeysCannotEnter() {
        Grid grid;
        grid.engine.setTapeOn(false);
        grid.view.setCurrentDataColumn(kAmount);
        QTest::keyClick(&grid.view, '7');
        auto* editor = grid.view.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, ":2|1 3/4x");
        QCOMPARE(editor->text(), QString("721 3/4"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!grid.editorOpen());
        QCOMPARE(grid.engine.cell(grid.engine.curRow(), kAmount), std::string("721 3/4"));
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

    void commandKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("code");
        const auto row = [](const char* name, int key, int modifiers, const char* signal,
                            int code) {
            QTest::newRow(name) << key << modifiers << QString(signal) << code;
        };
        row("Escape is CE", Qt::Key_Escape, 0, "keyCode", 15);
        row("F9 is C", Qt::Key_F9, 0, "keyCode", 14);
        row("Backspace", Qt::Key_Backspace, 0, "backspacePressed", -1);
        row("Insert", Qt::Key_Insert, 0, "insertLine", -1);
        row("Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier, "deleteLine", -1);
        row("Delete alone", Qt::Key_Delete, 0, "", -1);
        row("Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, "", -1);
    }
    void commandKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, signal);
        QFETCH(int, code);
        Grid grid;
        QSignalSpy codes(&grid.view, &TapeView::keyCode);
        QSignalSpy backspaces(&grid.view, &TapeView::backspacePressed);
        QSignalSpy inserts(&grid.view, &TapeView::insertLine);
        QSignalSpy deletes(&grid.view, &TapeView::deleteLine);
        QTest::keyClick(&grid.view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(codes.count(), signal == "keyCode" ? 1 : 0);
        if (code >= 0) QCOMPARE(codes.first().at(0).toInt(), code);
        QCOMPARE(backspaces.count(), signal == "backspacePressed" ? 1 : 0);
        QCOMPARE(inserts.count(), signal == "insertLine" ? 1 : 0);
        QCOMPARE(deletes.count(), signal == "deleteLine" ? 1 : 0);
    }

    void enter_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("toEngine");
        QTest::addColumn<int>("rowAfter");
        QTest::newRow("amount of the open row") << 3 << kAmount << true << 3;
        QTest::newRow("right of the amount") << 3 << kRef << true << 3;
        QTest::newRow("left of the amount") << 3 << kDescription << false << 3;
        QTest::newRow("earlier line moves down") << 1 << kAmount << false << 2;
    }
    void enter() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, toEngine);
        QFETCH(int, rowAfter);
        Grid grid;
        grid.run("5+7+");
        grid.view.showTapeRow(row);
        grid.view.setCurrentDataColumn(column);
        QSignalSpy enters(&grid.view, &TapeView::enterPressed);
        QSignalSpy selected(&grid.view, &TapeView::rowSelected);
        QTest::keyClick(&grid.view, Qt::Key_Return);
        QCOMPARE(enters.count(), toEngine ? 1 : 0);
        QCOMPARE(grid.currentTapeRow(), rowAfter);
        QCOMPARE(selected.count(), rowAfter != row ? 1 : 0);
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
        QCOMPARE(grid.view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
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
