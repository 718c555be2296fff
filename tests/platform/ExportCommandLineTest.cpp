// talvex-tape export as a spreadsheet meets it: Python's csv module reads the file back, and
// its rows, texts and numbers are the tape's.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "engine/NumberFormat.h"

namespace talvex {

namespace {

// The rows after the header, each as its description and its amount read as a float (or
// "-" for an empty amount), one per line; the first line is the number of rows.
constexpr const char* kReader = R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
amount = rows[0].index('Amount')
description = rows[0].index('Description')
print(len(rows) - 1)
for row in rows[1:]:
    print(row[description] + '|' + (repr(float(row[amount])) if row[amount] else '-'))
)";

}  // namespace

class ExportCommandLineTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_;
    QString python_;

    QString path(const QString& name) const { return folder_.filePath(name); }

    QByteArray run(const QString& program, const QStringList& args, int* status = nullptr) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", path("config"));
        process.setProcessEnvironment(env);
        process.start(program, args);
        if (!process.waitForFinished(30000)) return {};
        if (status) *status = process.exitCode();
        return process.readAllStandardOutput();
    }

    // "description|amount" of each line of the tape as `show` prints its rows, the amount as
    // the tape reads it; the open row is left out.
    QStringList shownLines(const QString& tape, char decSep) {
        const NumberFormatter numbers(NumberSymbols::forDecSep(decSep));
        QStringList lines;
        const QStringList rows =
            QString::fromUtf8(run(TALVEX_TAPE_EXE, {"show", "--decsep", QString(decSep), tape}))
                .split('\n');
        for (qsizetype i = 0; i + 2 < rows.size(); ++i) {
            const QStringList cells = rows[i].split('\t');
            const std::string amount = cells.value(4).toStdString();
            lines << cells.value(3) + '|' +
                         (amount.empty() ? "-" : QString::number(numbers.read(amount), 'g', 17));
        }
        return lines;
    }

    QStringList readBack(const QString& csv) {
        int status = -1;
        QStringList lines =
            QString::fromUtf8(run(python_, {"-c", kReader, csv}, &status)).split('\n');
        if (status != 0) return {"python3 failed"};
        if (lines.back().isEmpty()) lines.removeLast();
        for (QString& line : lines) {
            const qsizetype bar = line.lastIndexOf('|');
            if (bar < 0 || line.endsWith("|-")) continue;
            line = line.left(bar + 1) + QString::number(line.mid(bar + 1).toDouble(), 'g', 17);
        }
        return lines;
    }

  private slots:
    void initTestCase() {
        python_ = QStandardPaths::findExecutable("python3");
        if (python_.isEmpty()) QSKIP("python3 is not installed: the CSV cannot be read back");
    }

    void spreadsheetReadsTheTapesLinesAndAmounts_data() {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("decSep");
        QTest::newRow("Household") << QString(TALVEX_DATA_DIR "/Household.kwd") << QString() << ".";
        QTest::newRow("Invoice") << QString(TALVEX_DATA_DIR "/Invoice.kwd") << QString() << ".";
        QTest::newRow("quotes, commas and a comma tape")
            << path("keyed.kwd")
            << QString::fromUtf8(
                   "{desc Gas, \"big\" tank}1234,5+{desc Zoë's café}2000-T{desc -}0,25*4=")
            << ",";
    }
    void spreadsheetReadsTheTapesLinesAndAmounts() {
        QFETCH(QString, tape);
        QFETCH(QString, script);
        QFETCH(QString, decSep);
        if (!script.isEmpty()) {
            run(TALVEX_TAPE_EXE,
                {"keys", "--decsep", decSep, "--thousands", "1", "-o", tape, script});
        }
        int status = -1;
        run(TALVEX_TAPE_EXE, {"export", "--decsep", decSep, tape, "-o", path("out.csv")}, &status);
        QCOMPARE(status, 0);
        const QStringList expected = shownLines(tape, decSep.at(0).toLatin1());
        QVERIFY(expected.size() > 3);
        QCOMPARE(readBack(path("out.csv")),
                 QStringList{QString::number(expected.size())} + expected);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::ExportCommandLineTest)
#include "ExportCommandLineTest.moc"
