// The grid's model over a keyed tape: what each cell shows, which cells take typed text, and
// how the tape's growth reaches the views.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QModelIndex>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <string_view>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "platform/Colours.h"
#include "platform/TapeModel.h"
#include "shell/OptionTable.h"

namespace talvex {
namespace {

constexpr int kDescription = 4;
constexpr int kAmount = 5;
constexpr int kOp = 6;
constexpr int kRightAligned = Qt::AlignRight | Qt::AlignVCenter;
constexpr int kLeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

// Hands the engine's changes to the model, as the window does.
class ModelPort : public ViewPort {
  public:
    void rowsChanged(int first, int last) override {
        if (model) model->rowsChanged(first, last);
    }
    void rowCountChanged(int lastRow) override {
        if (model) model->rowCountChanged(lastRow);
    }
    void showDisplay(const std::string&) override {
        if (model) model->entryChanged();
    }
    TapeModel* model = nullptr;
};

struct Tape {
    Tape() {
        document.columns.setDefaults();
        engine.setCalcOption(1, 1);  // floating decimals: 5 + writes "5."
        model.columnsChanged();
        port.model = &model;
    }
    void run(std::string_view keys) {
        for (char c : keys) engine.keyChar(c);
    }
    QModelIndex at(int tapeRow, int dataColumn) const {
        return model.index(model.modelRow(tapeRow), TapeModel::modelColumn(dataColumn));
    }
    // The text as shown, without the blanks that line amounts up on their separator.
    QString text(int tapeRow, int dataColumn) const {
        QString shown = at(tapeRow, dataColumn).data().toString();
        while (shown.endsWith(' ')) shown.chop(1);
        return shown;
    }
    QString padded(int tapeRow, int dataColumn) const {
        return at(tapeRow, dataColumn).data().toString();
    }
    QColor ink(int tapeRow, int dataColumn) const {
        return at(tapeRow, dataColumn).data(Qt::ForegroundRole).value<QBrush>().color();
    }

    ModelPort port;
    AddinPort addins;
    Engine engine{port, addins};
    TapeDocument document{engine};
    OptionTable options;
    TapeModel model{engine, document, options};
};

}  // namespace

class TapeModelTest : public QObject {
    Q_OBJECT

  private slots:
    // Right-aligned in the tape's font, the separators of all amounts fall in one place. That
    // needs figures, separators and padding of one width, not a font flagged fixed pitch.
    void amountsLineUpOnTheirSeparator() {
        Tape tape;
        tape.run("61+23.75+1.5+1234.5+");
        QCOMPARE(tape.padded(1, kAmount), QString("61.  "));
        QCOMPARE(tape.padded(2, kAmount), QString("23.75"));
        QCOMPARE(tape.padded(3, kAmount), QString("1.5 "));
        tape.run("42");
        QCOMPARE(tape.padded(5, kAmount), QString("42   "));  // the entry keyed lines up too
        const QFontMetricsF metrics(tape.at(1, kAmount).data(Qt::FontRole).value<QFont>());
        const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
        for (const QChar figure : QString("123456789"))
            QVERIFY2(qFuzzyCompare(metrics.horizontalAdvance(figure), digit), qPrintable(figure));
        // Distance from the right edge to the separator, or to where it would be.
        const auto separatorFromRight = [&](const QString& amount) {
            const qsizetype separator = amount.indexOf(QLatin1Char('.'));
            return metrics.horizontalAdvance(
                amount.mid(separator < 0 ? amount.size() - 3 : separator));
        };
        const qreal first = separatorFromRight(tape.padded(1, kAmount));
        for (int row = 2; row <= 5; ++row) {
            QCOMPARE(tape.at(row, kAmount).data(Qt::TextAlignmentRole).toInt(), kRightAligned);
            QVERIFY2(qFuzzyCompare(separatorFromRight(tape.padded(row, kAmount)), first),
                     qPrintable(tape.padded(row, kAmount)));
        }
    }

    void showsKeyedLines() {
        Tape tape;
        tape.run("5+7+ST");
        QCOMPARE(tape.model.rowCount(), 6);
        const struct {
            const char *description, *amount, *op;
        } lines[] = {{"", "5.", "+"},       {"", "7.", "+"}, {"Subtotal", "12.", "s"},
                     {"TOTAL", "12.", "T"}, {"", "", ""},    {"", "", ""}};  // trailer, open row
        for (int row = 1; row <= 6; ++row) {
            QCOMPARE(tape.text(row, kDescription), QString(lines[row - 1].description));
            QCOMPARE(tape.text(row, kAmount), QString(lines[row - 1].amount));
            QCOMPARE(tape.text(row, kOp), QString(lines[row - 1].op));
            QCOMPARE(tape.model.headerData(row - 1, Qt::Vertical).toString(), QString::number(row));
        }
        QVERIFY(tape.ink(4, kAmount) != tape.ink(1, kAmount));  // a total stands out
        const QModelIndex amount = tape.at(1, kAmount);
        QCOMPARE(amount.data(Qt::TextAlignmentRole).toInt(), kRightAligned);
        QCOMPARE(tape.at(1, kDescription).data(Qt::TextAlignmentRole).toInt(), kLeftAligned);
    }

    void hiddenRowsShiftTheModel() {
        Tape tape;
        tape.run("1+2+3+");
        QSignalSpy resets(&tape.model, &QAbstractItemModel::modelReset);
        tape.engine.hideRows(2);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(tape.model.rowCount(), 2);
        QCOMPARE(tape.model.tapeRow(0), 3);
        QCOMPARE(tape.model.modelRow(2), -1);
        QCOMPARE(tape.model.modelRow(4), 1);
        QCOMPARE(tape.model.index(0, TapeModel::modelColumn(kAmount)).data().toString(),
                 QString("3."));
        QCOMPARE(tape.model.headerData(0, Qt::Vertical).toString(), QString("1"));
        // Hiding more rows than the tape holds still leaves the open row to key into.
        tape.engine.hideRows(9);
        QCOMPARE(tape.model.rowCount(), 1);
        QCOMPARE(tape.model.tapeRow(0), tape.engine.lastRow());
    }

    void entryBeingKeyedShowsOnTheOpenRow() {
        Tape tape;
        tape.run("5+");
        QSignalSpy changed(&tape.model, &QAbstractItemModel::dataChanged);
        tape.run("12");
        QCOMPARE(tape.text(2, kAmount), QString("12"));
        QCOMPARE(tape.at(2, kAmount).data(Qt::EditRole).toString(), QString());
        QCOMPARE(tape.text(2, kDescription), QString());
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).value<QModelIndex>(), tape.at(2, kAmount));
        tape.run("+");
        QCOMPARE(tape.text(2, kAmount), QString("12."));
        QCOMPARE(tape.text(3, kAmount), QString());
    }

    void typedTextGoesThroughTheEngine_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("tapeOn");
        QTest::addColumn<bool>("onCurrentRow");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("description") << kDescription << true << true << true;
        QTest::newRow("operator locked while the tape is on") << kOp << true << true << false;
        QTest::newRow("amount is keyed while the tape is on") << kAmount << true << true << false;
        QTest::newRow("amount with the tape off") << kAmount << false << true << true;
        QTest::newRow("operator with the tape off") << kOp << false << true << true;
        QTest::newRow("another row than the engine's") << kDescription << true << false << false;
    }
    void typedTextGoesThroughTheEngine() {
        QFETCH(int, column);
        QFETCH(bool, tapeOn);
        QFETCH(bool, onCurrentRow);
        QFETCH(bool, accepted);
        Tape tape;
        tape.run("5+7+");
        tape.engine.setTapeOn(tapeOn);
        const int row = onCurrentRow ? tape.engine.curRow() : 1;
        const std::string before = tape.engine.cell(row, column);
        const QModelIndex cell = tape.at(row, column);
        QCOMPARE(tape.model.flags(cell).testFlag(Qt::ItemIsEditable), accepted);
        QCOMPARE(tape.model.setData(cell, "Lunch"), accepted);
        QCOMPARE(tape.engine.cell(row, column), accepted ? std::string("Lunch") : before);
        if (accepted) QCOMPARE(tape.text(row, column), QString("Lunch"));
    }

    // Appending must stay cheap on a long tape; losing rows resets, so no view keeps a current
    // row that is gone.
    void appendingInsertsRowsAndDeletingResets() {
        Tape tape;
        QSignalSpy inserted(&tape.model, &QAbstractItemModel::rowsInserted);
        QSignalSpy resets(&tape.model, &QAbstractItemModel::modelReset);
        tape.run("5+6+");
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.first().at(1).toInt(), 1);
        QCOMPARE(inserted.first().at(2).toInt(), 1);
        QCOMPARE(tape.text(1, kAmount), QString("5."));
        tape.engine.clickRow(1);
        QVERIFY(tape.engine.deleteRow());
        QCOMPARE(resets.count(), 1);
        QCOMPARE(tape.model.rowCount(), tape.engine.lastRow());
        QCOMPARE(tape.text(1, kAmount), QString("6."));
    }

    void changedRowsRepaintOnlyWhatIsShown() {
        Tape tape;
        tape.run("1+2+3+4+");
        tape.engine.hideRows(2);
        QSignalSpy changed(&tape.model, &QAbstractItemModel::dataChanged);
        tape.model.rowsChanged(1, 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(changed.first().at(1).value<QModelIndex>().row(), 0);
        tape.model.rowsChanged(1, 2);
        QCOMPARE(changed.count(), 1);
        tape.model.rowsChanged(1, 0);
        QCOMPARE(changed.last().at(1).value<QModelIndex>().row(), tape.model.rowCount() - 1);
    }

    void columnsFollowTheDocument() {
        Tape tape;
        tape.document.columns.insertColumn(5);
        tape.document.columns.column(5).caption = "Note";
        QSignalSpy resets(&tape.model, &QAbstractItemModel::modelReset);
        tape.model.columnsChanged();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(tape.model.columnCount(), 7);
        QCOMPARE(tape.model.headerData(3, Qt::Horizontal).toString(), QString("Note"));
        QCOMPARE(tape.model.amountColumn(), 4);
    }

    // Print colours that read on their paper show as chosen; others are darkened or lightened
    // until they read, keeping their hue. A damaged setting reads as 0: black on black.
    void printStaysReadableOnItsPaper_data() {
        QTest::addColumn<QColor>("paper");
        QTest::addColumn<QColor>("print");
        QTest::addColumn<bool>("asChosen");
        QTest::newRow("near-black on cream") << QColor(255, 253, 240) << QColor(32, 32, 32) << true;
        QTest::newRow("red on cream") << QColor(255, 253, 240) << QColor(192, 0, 0) << true;
        QTest::newRow("amber on black") << QColor(Qt::black) << QColor(255, 191, 0) << true;
        QTest::newRow("black on black") << QColor(Qt::black) << QColor(Qt::black) << false;
        QTest::newRow("yellow on white") << QColor(Qt::white) << QColor(255, 255, 0) << false;
        QTest::newRow("navy on black") << QColor(Qt::black) << QColor(0, 0, 128) << false;
        QTest::newRow("grey on cream") << QColor(255, 253, 240) << QColor(128, 128, 128) << false;
    }
    void printStaysReadableOnItsPaper() {
        QFETCH(QColor, paper);
        QFETCH(QColor, print);
        QFETCH(bool, asChosen);
        Tape tape;
        tape.options.setColour(0, settingFromColour(paper));
        tape.options.setColour(1, settingFromColour(print));
        tape.run("5+");
        const QColor ink = tape.ink(1, kAmount);
        QCOMPARE(tape.at(1, kAmount).data(Qt::BackgroundRole).value<QBrush>().color(), paper);
        QCOMPARE(tape.model.ink(), ink);
        QVERIFY2(contrastRatio(ink, paper) >= kReadableContrast, qPrintable(ink.name()));
        QCOMPARE(ink == print, asChosen);
        if (print.hsvHue() >= 0) QVERIFY(qAbs(ink.hsvHue() - print.hsvHue()) <= 2);
    }

    void lineNumbersWidenForLongTapes() {
        Tape tape;
        QCOMPARE(tape.model.lineNumberWidth(), 3);
        tape.engine.setMaxRows(2000);
        for (int i = 0; i < 1000; ++i) tape.run("1+");
        QCOMPARE(tape.model.rowCount(), 1001);
        QCOMPARE(tape.model.lineNumberWidth(), 4);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::TapeModelTest)
#include "TapeModelTest.moc"
