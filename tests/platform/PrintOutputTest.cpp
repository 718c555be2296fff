// The print outputs of the window's platform layer, each checked against a second way to the
// same result: a printer page written as PDF and read back as text against the plain-text
// sink fed the same lines, and the serial link's bytes as the far end of a pty pair gets them.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <string>
#include <vector>

#include "platform/print/QtPrinterSink.h"
#include "platform/serial/QtSerialLink.h"
#include "printing/PrintSink.h"

namespace talvex {

namespace {

// What the print engine does to a sink, as one script.
using SinkScript = std::function<void(PrintSink&)>;

void putLines(PrintSink& sink, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        sink.putText(line);
        sink.endLine();
    }
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(20000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The PDF's pages as text lines, read at the print's pitch (so a blank is one column wide
// however the reader would guess it); pdftotext ends each page with a form feed.
std::vector<std::vector<std::string>> pdfPages(const QString& pdf, double charsPerInch) {
    const QString pitch = QString::number(72 / charsPerInch);
    const QString text = run("pdftotext", {"-layout", "-fixed", pitch, pdf, "-"});
    std::vector<std::vector<std::string>> pages;
    for (const QString& page : text.split(QChar('\f'))) {
        std::vector<std::string> lines;
        for (QString line : page.split('\n')) {
            while (line.endsWith(' ')) line.chop(1);
            lines.push_back(line.toStdString());
        }
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        pages.push_back(lines);
    }
    while (!pages.empty() && pages.back().empty()) pages.pop_back();
    return pages;
}

std::vector<std::string> trimmedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text + "\n") {
        if (c != '\n') {
            line += c;
            continue;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
        line.clear();
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::vector<std::string> withoutBlankLines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (!line.empty()) kept.push_back(line);
    return kept;
}

}  // namespace

class PrintOutputTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_;

  private slots:
    void pdfPageShowsTheSinkLinesInTheirColumns_data();
    void pdfPageShowsTheSinkLinesInTheirColumns();
    void proportionalCellsKeepFiguresInLine();
    void pagesBreakWhereThePaperEnds();
    void unwritablePdfIsNotOpened();
    void serialLinkWritesExactBytes();
    void serialLinkRefusesWhatItCannotOpen();
};

void PrintOutputTest::pdfPageShowsTheSinkLinesInTheirColumns_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<SinkScript>("script");
    QTest::newRow("figures right-aligned") << 10.0 << SinkScript([](PrintSink& s) {
        putLines(s, {"  1  Rent            1,250.00 +", "  2  Power              87.45 +",
                     "  3  Water               9.10 -", "                    ---------",
                     "  4  Total           1,328.35 T"});
    });
    QTest::newRow("parts of a line in attributes") << 12.0 << SinkScript([](PrintSink& s) {
        s.putText("   ");
        s.setAttribute(print_attribute::kBold, true);
        s.putText("Household");
        s.setAttribute(print_attribute::kBold, false);
        s.endLine();
        s.putText("  7 ");
        s.setAttribute(print_attribute::kUnderline, true);
        s.setAttribute(print_attribute::kItalic, true);
        s.putText("Subtotal");
        s.setAttribute(print_attribute::kItalic, false);
        s.setAttribute(print_attribute::kUnderline, false);
        s.putText("     412.00 s");
        s.endLine();
        s.setAttribute(print_attribute::kStrikethrough, true);
        s.putText("          999.99 c");
        s.setAttribute(print_attribute::kStrikethrough, false);
        s.endLine();
    });
    QTest::newRow("small font, wide line") << 6.0 << SinkScript([](PrintSink& s) {
        putLines(s, {"12345678901234567890123456789012345678901234567890123456789012345678",
                     "         1         2         3         4         5         6        8",
                     "x                                                                  y"});
    });
}

// The text sink is what the engine means; the PDF must put each character in the column the
// text sink has it in, whatever monospace font the machine substitutes.
void PrintOutputTest::pdfPageShowsTheSinkLinesInTheirColumns() {
    QFETCH(double, points);
    QFETCH(SinkScript, script);
    TextSink text;
    text.open();
    script(text);
    text.close();

    PrinterTarget target;
    target.pdfPath = folder_.filePath("columns.pdf").toStdString();
    target.font.size = points;
    target.charsPerInch = 120 / points;
    target.linesPerInch = 72 / points;
    QtPrinterSink pdf(target, PaperSize{8.5, 11});
    QVERIFY2(pdf.open(), pdf.error().c_str());
    script(pdf);
    pdf.close();

    const auto pages = pdfPages(QString::fromStdString(target.pdfPath), target.charsPerInch);
    QCOMPARE(pages.size(), size_t(1));
    // pdftotext may close up empty lines; the text of every line must be as the engine put it.
    QCOMPARE(withoutBlankLines(pages[0]), withoutBlankLines(trimmedLines(text.text())));
}

// With proportional corrections the words before the amount are in the chosen font at their
// own columns, however wide their letters; from the amount on the pitch is fixed, so the
// figures still end in one column.
void PrintOutputTest::proportionalCellsKeepFiguresInLine() {
    PrinterTarget target;
    target.pdfPath = folder_.filePath("proportional.pdf").toStdString();
    target.font.name = "Sans Serif";
    QtPrinterSink pdf(target, PaperSize{8.5, 11});
    QVERIFY(pdf.open());
    for (const char* words : {"iiiiiiii", "WWWWWWWW", "Groceries and more"}) {
        pdf.moveToColumn(2);
        pdf.putText(words);
        pdf.moveToColumn(32);
        pdf.setFixedPitch(true);
        pdf.putText("   1,234.50 +");
        pdf.setFixedPitch(false);
        pdf.endLine();
    }
    pdf.close();
    const auto pages = pdfPages(QString::fromStdString(target.pdfPath), target.charsPerInch);
    QCOMPARE(pages.size(), size_t(1));
    const auto lines = withoutBlankLines(pages[0]);
    QCOMPARE(lines.size(), size_t(3));
    for (const std::string& line : lines) {
        QVERIFY2(line.find("1,234.50 +") != std::string::npos, line.c_str());
        QCOMPARE(line.rfind("1,234.50 +"), lines[0].rfind("1,234.50 +"));
    }
}

// A label of one inch at six lines to the inch holds six lines: fourteen lines fill two
// labels and start a third, and each label starts with its own first line.
void PrintOutputTest::pagesBreakWhereThePaperEnds() {
    PrinterTarget target;
    target.pdfPath = folder_.filePath("labels.pdf").toStdString();
    QtPrinterSink pdf(target, PaperSize{3.25, 1.0});
    QVERIFY(pdf.open());
    QCOMPARE(pdf.linesPerPage(), 6);
    std::vector<std::string> lines;
    for (int i = 1; i <= 14; ++i) lines.push_back("line " + std::to_string(i));
    putLines(pdf, lines);
    pdf.close();
    QCOMPARE(pdf.pageCount(), 3);
    const auto pages = pdfPages(QString::fromStdString(target.pdfPath), target.charsPerInch);
    QCOMPARE(pages.size(), size_t(3));
    QCOMPARE(withoutBlankLines(pages[0]).front(), std::string("line 1"));
    QCOMPARE(withoutBlankLines(pages[1]).front(), std::string("line 7"));
    QCOMPARE(withoutBlankLines(pages[2]), (std::vector<std::string>{"line 13", "line 14"}));
}

void PrintOutputTest::unwritablePdfIsNotOpened() {
    PrinterTarget target;
    target.pdfPath = folder_.filePath("no-such-folder/out.pdf").toStdString();
    QtPrinterSink pdf(target, PaperSize{8.5, 11});
    QVERIFY(!pdf.open());
    QVERIFY(!pdf.error().empty());
    pdf.putText("nothing");  // an unopened sink takes text without harm
    pdf.close();
}

// The label printer's start line, a line with every byte value the protocol uses, and bytes
// that a terminal in cooked mode would have changed.
void PrintOutputTest::serialLinkWritesExactBytes() {
    if (QStandardPaths::findExecutable("socat").isEmpty()) QSKIP("socat is not installed");
    const QString near = folder_.filePath("A");
    const QString far = folder_.filePath("B");
    QProcess socat;
    socat.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + near, "pty,raw,echo=0,link=" + far});
    QVERIFY(socat.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(near) && QFile::exists(far), 5000);

    std::string bytes = "\x1b*\n\x1bL";
    bytes += std::string("\x00\x33\n", 3);
    bytes += "\x1bM\x1dT";
    bytes += std::string("\x00\n", 2);
    bytes += "\x1d\x1e  1,234.50 T\x1d\x1f\r\n\x0c\n\x7f\xff\x80\x04\x03\x11\x13";
    QProcess reader;
    reader.start("sh", {"-c", QString("head -c %1 '%2' | od -An -tx1").arg(bytes.size()).arg(far)});
    QVERIFY(reader.waitForStarted());
    QThread::msleep(200);  // head opens the far end before the bytes arrive

    QtSerialLink link;
    QVERIFY2(link.open(near.toStdString()), link.error().c_str());
    QVERIFY(link.write(bytes.substr(0, 10)));
    QVERIFY(link.write(bytes.substr(10)));
    link.close();
    QVERIFY(reader.waitForFinished(5000));
    QString expected;
    for (unsigned char c : bytes) expected += QString::asprintf("%02x ", c);
    const QString got = QString::fromLatin1(reader.readAllStandardOutput()).simplified();
    socat.terminate();
    socat.waitForFinished(3000);
    QCOMPARE(got, expected.trimmed());
}

void PrintOutputTest::serialLinkRefusesWhatItCannotOpen() {
    QCOMPARE(QtSerialLink::devicePath("ttyS0"), std::string("/dev/ttyS0"));
    QCOMPARE(QtSerialLink::devicePath("/tmp/A"), std::string("/tmp/A"));
    QtSerialLink link;
    QVERIFY(!link.open(folder_.filePath("no-such-port").toStdString()));
    QVERIFY(!link.error().empty());
    QVERIFY(!link.write("lost"));
    QVERIFY(!link.open(""));
    link.close();
}

}  // namespace talvex

QTEST_MAIN(talvex::PrintOutputTest)
#include "PrintOutputTest.moc"
