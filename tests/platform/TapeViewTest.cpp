// The tape grid and its model: what each cell shows, which keys reach the calculator and which
// open a cell editor, and how the grid follows the engine's lines and current line.
#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QList>
#include <QModelIndex>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <string_view>

#include "RecordingView.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/OptionNumbers.h"
#include "platform/Colours.h"
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
constexpr int kRightAligned = Qt::AlignRight | Qt::AlignVCenter;

struct Grid {
    Grid() {
        document.columns.setDefaults();
        engine.setCalcOption(1, 1);
        model.columnsChanged();
        view.setModel(&model);
        // The engine's changes reach the model and the view, as in the window.
        port.onRowsChanged = [this](int first, int last) { model.rowsChanged(first, last); };
        port.onRowCount = [this](int lastRow) { model.rowCountChanged(lastRow); };
        port.onCurrentRow = [this](int row) { view.showTapeRow(row); };
        port.onDisplay = [this] { model.entryChanged(); };
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
            if (!engine.clickRow(row)) view.showTapeRow(engine.state().curRow);
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
    // The text as shown, without the blanks that line amounts up on their separator.
    QString text(int tapeRow, int dataColumn) const {
        return padded(tapeRow, dataColumn).trimmed();
    }
    QString padded(int tapeRow, int dataColumn) const {
        return at(tapeRow, dataColumn).data().toString();
    }
    QColor ink(int tapeRow, int dataColumn) const {
        return at(tapeRow, dataColumn).data(Qt::ForegroundRole).value<QBrush>().color();
    }
    int currentTapeRow() const { return model.tapeRow(view.currentIndex().row()); }

    testing::RecordingView port;
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
    // What a key on the grid sends, by where the cursor is on the tape "5+7+" (row 3 is open).
    // Characters are calculator keys except where the cell takes typed text: there they open an
    // editor, and with the tape on the amount and operator are keyed, never typed. Each command
    // key sends its one signal; Delete and Insert with other modifiers send none. Enter on the
    // open row's amount, or right of it, completes the entry; elsewhere it moves down a line.
    void keysGoWhereTheCursorIs() {
        const QString esc = QString("{code %1}").arg(key::kClearEntry);
        const QString f9 = QString("{code %1}").arg(key::kClear);
        const struct {
            int row, column;
            bool tapeOn;
            const char* chars;
            const char* key;  // as a key sequence names it
            QString sent;     // then the row the cursor is on
        } cases[] = {
            {3, kAmount, true, "12.5+", "", "12.5+@4"},
            {3, kAmount, true, "1 3", "", "1 3@3"},
            {3, kOp, true, "7", "", "7@3"},
            {3, kDate, true, "s", "", "s@4"},
            {3, kDescription, true, "a", "", "{editor}@3"},
            {3, kAmount, false, "5", "", "{editor}@3"},
            {3, kOp, false, "x", "", "{editor}@3"},
            {3, kAmount, true, "", "Esc", esc + "@3"},
            {3, kAmount, true, "", "F9", f9 + "@3"},
            {3, kAmount, true, "", "Backspace", "{backspace}@3"},
            {3, kAmount, true, "", "Ins", "{insert}@3"},
            {3, kAmount, true, "", "Ctrl+Del", "{delete}@3"},
            {3, kAmount, true, "", "Del", "@3"},
            {3, kAmount, true, "", "Shift+Ins", "@3"},
            {3, kAmount, true, "", "Return", "{enter}@3"},
            {3, kRef, true, "", "Return", "{enter}@3"},
            {3, kDescription, true, "", "Return", "@3"},
            {1, kAmount, true, "", "Return", "{row 2}@2"},
        };
        for (const auto& c : cases) {
            Grid grid;
            grid.run("5+7+");
            grid.connectEngine();
            grid.engine.setTapeOn(c.tapeOn);
            grid.view.showTapeRow(c.row);
            grid.view.setCurrentDataColumn(c.column);
            QString sent;
            const auto note = [&sent](const QString& what) {
                return [&sent, what] { sent += what; };
            };
            QObject::connect(&grid.view, &TapeView::keyChar, [&sent](char ch) { sent += ch; });
            QObject::connect(&grid.view, &TapeView::keyCode,
                             [&sent](int code) { sent += QString("{code %1}").arg(code); });
            QObject::connect(&grid.view, &TapeView::rowSelected,
                             [&sent](int row) { sent += QString("{row %1}").arg(row); });
            QObject::connect(&grid.view, &TapeView::enterPressed, note("{enter}"));
            QObject::connect(&grid.view, &TapeView::backspacePressed, note("{backspace}"));
            QObject::connect(&grid.view, &TapeView::insertLine, note("{insert}"));
            QObject::connect(&grid.view, &TapeView::deleteLine, note("{delete}"));
            QTest::keyClicks(&grid.view, c.chars);
            if (*c.key) {
                const QKeyCombination key = QKeySequence(c.key)[0];
                QTest::keyClick(&grid.view, key.key(), key.keyboardModifiers());
            }
            if (grid.editorOpen()) sent += "{editor}";
            QCOMPARE(sent + QString("@%1").arg(grid.currentTapeRow()), c.sent);
        }
    }

    // The first character opens the editor and Enter writes the cell through the engine. With
    // the tape off the amount editor takes only what the keys can enter: the separators of a
    // register record never reach the cell.
    void editorCommitsThroughTheEngine() {
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
        QCOMPARE(grid.engine.cell(grid.engine.state().curRow, kAmount), std::string("721 3/4"));
    }

    // A click proposes its row; an amount overtyped on a new line cannot be left without an
    // operator, so the click is taken back, selection and cell included.
    void refusedMovePutsTheSelectionBack() {
        Grid grid;
        grid.run("5+7+");
        grid.connectEngine();
        grid.view.setCurrentDataColumn(kAmount);
        grid.engine.editAmount("9");
        QSignalSpy selected(&grid.view, &TapeView::rowSelected);
        grid.click(1, kDescription);
        QCOMPARE(selected.count(), 1);  // putting the row back proposes nothing
        QCOMPARE(grid.engine.state().curRow, 3);
        QCOMPARE(grid.currentTapeRow(), 3);
        QCOMPARE(grid.view.currentDataColumn(), kAmount);
        QCoreApplication::processEvents();
        const QModelIndexList rows = grid.view.selectionModel()->selectedRows();
        QVERIFY(rows.size() == 1 && grid.model.tapeRow(rows[0].row()) == 3);
    }

    void layoutFollowsColumnsAndOptions() {
        Grid grid;
        grid.document.columns.column(kDate).visible = false;
        grid.options.setOption(option::kColumnHeaders, 0);
        grid.options.setOption(option::kLineNosWidth, 0);
        grid.view.applyLayout();
        QVERIFY(grid.view.isColumnHidden(TapeModel::modelColumn(kDate)));
        QVERIFY(grid.view.horizontalHeader()->isHidden() && grid.view.verticalHeader()->isHidden());
    }

    // Right-aligned and padded after the separator, the separators of all amounts fall in one
    // place in a face whose figures line up.
    void amountsLineUpOnTheirSeparator() {
        Grid grid;
        grid.run("61+23.75+1.5+1234.5+");
        QCOMPARE(grid.padded(1, kAmount), QString("61.  "));
        QCOMPARE(grid.padded(2, kAmount), QString("23.75"));
        QCOMPARE(grid.padded(3, kAmount), QString("1.5 "));
        grid.run("42");
        QCOMPARE(grid.padded(5, kAmount), QString("42   "));  // the entry keyed lines up too
        for (int row = 1; row <= 5; ++row)
            QCOMPARE(grid.at(row, kAmount).data(Qt::TextAlignmentRole).toInt(), kRightAligned);
    }

    // A result with more decimals than the column can line up beside the largest amount: the
    // others still line up with each other, and none is padded past the column's width.
    void manyDecimalsPushNothingOutOfItsCell() {
        Grid grid;
        grid.run("100000+6+1/3=");
        const int width = grid.engine.layout().width(kAmount);
        QCOMPARE(grid.text(5, kAmount), QString("0.3333333333"));
        QVERIFY2(int(strlen("100000.")) + 10 > width, "the ten decimals cannot all line up");
        QVERIFY(grid.padded(1, kAmount).size() <= width);
        QCOMPARE(grid.padded(1, kAmount).indexOf('.') - grid.padded(1, kAmount).size(),
                 grid.padded(2, kAmount).indexOf('.') - grid.padded(2, kAmount).size());
    }

    // Every cell and caption shows what the engine and the document hold, in the document's
    // column order, also after a column is inserted; the entry being keyed shows on the open
    // row, though an editor opened there starts empty.
    void cellsShowTheEnginesLines() {
        Grid grid;
        grid.document.columns.insertColumn(kDescription);
        grid.document.columns.column(kDescription).caption = "Note";
        grid.model.columnsChanged();
        grid.run("5+7+ST12");
        const int amount = kAmount + 1;
        QCOMPARE(grid.model.amountColumn(), TapeModel::modelColumn(amount));
        QCOMPARE(grid.model.columnCount(), grid.engine.layout().colCount - 1);
        QCOMPARE(grid.model.rowCount(), grid.engine.state().lastRow);
        for (int column = 0; column < grid.model.columnCount(); ++column) {
            const int col = TapeModel::dataColumn(column);
            QCOMPARE(grid.model.headerData(column, Qt::Horizontal).toString().toStdString(),
                     grid.document.columns.column(col).caption);
            for (int row = 1; row < grid.engine.state().lastRow; ++row)
                QCOMPARE(grid.text(row, col).toStdString(), grid.engine.cell(row, col));
        }
        QCOMPARE(grid.model.headerData(3, Qt::Vertical).toString(), QString("4"));
        const int open = grid.engine.state().lastRow;
        QCOMPARE(grid.text(open, amount), QString("12"));
        QCOMPARE(grid.at(open, amount).data(Qt::EditRole).toString(), QString());
        QVERIFY(grid.ink(4, amount) != grid.ink(1, amount));  // a total stands out
    }

    // Hidden rows leave the model and the line numbers count from the first one shown. Hiding
    // more rows than the tape holds still leaves the open row to key into.
    void hiddenRowsShiftTheModel() {
        Grid grid;
        grid.run("1+2+3+4+");
        QSignalSpy resets(&grid.model, &QAbstractItemModel::modelReset);
        grid.engine.hideRows(2);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(grid.model.rowCount(), 3);
        QCOMPARE(grid.model.modelRow(2), -1);
        QCOMPARE(grid.model.modelRow(4), 1);
        QCOMPARE(grid.text(3, kAmount), QString("3."));
        QCOMPARE(grid.model.headerData(0, Qt::Vertical).toString(), QString("1"));
        grid.engine.hideRows(9);
        QCOMPARE(grid.model.rowCount(), 1);
        QCOMPARE(grid.model.tapeRow(0), grid.engine.state().lastRow);
    }

    // Appending must stay cheap on a long tape; a view told only the tape's length loses rows
    // at the end, and its current row is the engine's, not one the grid moved to on its own.
    void rowsComeAndGoWithoutAReset() {
        Grid grid;
        grid.connectEngine();
        QSignalSpy inserted(&grid.model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&grid.model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy resets(&grid.model, &QAbstractItemModel::modelReset);
        grid.run("5+6+");
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserted.count(), 2);
        grid.engine.clickRow(1);
        QVERIFY(grid.engine.deleteRow());
        QCOMPARE(resets.count(), 0);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(grid.currentTapeRow(), grid.engine.state().curRow);
        QCOMPARE(grid.model.rowCount(), grid.engine.state().lastRow);
        QCOMPARE(grid.text(1, kAmount), QString("6."));
    }

    // Print colours that read on their paper show as chosen; others are darkened or lightened
    // until they read, keeping their hue. A damaged setting reads as 0: black on black.
    void printStaysReadableOnItsPaper_data() {
        QTest::addColumn<QColor>("paper");
        QTest::addColumn<QColor>("print");
        QTest::addColumn<bool>("asChosen");
        QTest::newRow("red on cream") << QColor(255, 253, 240) << QColor(192, 0, 0) << true;
        QTest::newRow("black on black") << QColor(Qt::black) << QColor(Qt::black) << false;
        QTest::newRow("yellow on white") << QColor(Qt::white) << QColor(255, 255, 0) << false;
        QTest::newRow("navy on black") << QColor(Qt::black) << QColor(0, 0, 128) << false;
    }
    void printStaysReadableOnItsPaper() {
        QFETCH(QColor, paper);
        QFETCH(QColor, print);
        QFETCH(bool, asChosen);
        Grid grid;
        grid.options.setColour(0, settingFromColour(paper));
        grid.options.setColour(1, settingFromColour(print));
        grid.run("5+");
        const QColor ink = grid.ink(1, kAmount);
        QCOMPARE(grid.at(1, kAmount).data(Qt::BackgroundRole).value<QBrush>().color(), paper);
        QCOMPARE(grid.model.ink(), ink);
        QVERIFY2(contrastRatio(ink, paper) >= kReadableContrast, qPrintable(ink.name()));
        QCOMPARE(ink == print, asChosen);
        if (print.hsvHue() >= 0) QVERIFY(qAbs(ink.hsvHue() - print.hsvHue()) <= 2);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::TapeViewTest)
#include "TapeViewTest.moc"
