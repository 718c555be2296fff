// The tape file: what the writer emits and what the reader makes of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "DocumentHarness.h"
#include "SplitText.h"
#include "documents/LogoScrambler.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"

namespace talvex::testing {
namespace {

std::vector<std::string> lines(const std::string& text) {
    return linesOf(text, "\r\n");
}

size_t fieldCount(const std::string& line) {
    return static_cast<size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
}

std::string save(DocumentFixture& f, TapeKind kind = TapeKind::withData) {
    return tapeFileText(f.document, f.engine, f.settings, kind);
}

TEST(TapeFileTest, RecordsAndDataRowsWithTheirFieldCounts) {
    DocumentFixture f;
    f.key("5+7+T");
    const std::vector<std::string> out = lines(save(f));
    std::string tags;
    for (size_t i = 0; i < 12 && i < out.size(); ++i)
        tags += out[i].substr(0, out[i].find('\t')) + std::to_string(fieldCount(out[i])) + " ";
    EXPECT_EQ(tags, "Ver8 H7 W7 S7 V7 F12 Lgo2 Clc5 Tpe2 Prt2 A3 M2 ");
    EXPECT_EQ(out[0].substr(0, 6), "Ver\t2\t");
    EXPECT_EQ(out[1], "H\tNo.\tDate\tDescription\tAmount\tOp\tRef");
    EXPECT_EQ(out[3], "S\t12\t13\t14\t15\t16\t17");
    EXPECT_EQ(out[12], "1\t\t\t\t5.\t+\t\t5.:5:5|1:1:0");
    EXPECT_EQ(fieldCount(out[12]), 8u) << "ColCount + 1 fields while the tape is on";
    f.settings.fields[{0, -1}] = "0";
    EXPECT_EQ(fieldCount(lines(save(f))[7]), 3u) << "\"Clc\" with its flag off";
    reloadWithCell(f.engine, 1, 8, "https://example.org/a");
    EXPECT_EQ(fieldCount(lines(save(f))[12]), 9u) << "a line's address follows its record";
    f.engine.setTapeOn(false);
    EXPECT_EQ(lines(save(f))[12], "1\t\t\t\t5.\t+\t") << "no record with the tape off";
}

TEST(TapeFileTest, TemplateWithoutDataOpensAsOneEmptyRow) {
    DocumentFixture f;
    f.key("5+7+T");
    f.document.columns.deleteColumn(3);
    f.document.notes = "keep out";
    const std::string text = save(f, TapeKind::templateWithoutData);
    EXPECT_EQ(lines(text).size(), 11u) << "records Ver to A only";
    for (const char* options : {"32", "0"}) {
        SCOPED_TRACE(options);
        f.settings.fields[{0, 1}] = options;
        DocumentFixture g;
        const LoadReport report =
            loadTapeText(save(f, TapeKind::templateWithoutData), g.document, g.engine, g.settings);
        EXPECT_EQ(report.dataRows, 0);
        EXPECT_EQ(g.engine.layout().colCount, 6);
        EXPECT_EQ(g.engine.state().lastRow, 1);
        EXPECT_EQ(g.engine.cell(1, kLineNumberColumn), "1");
        EXPECT_EQ(g.document.notes, "");
        g.key("5+");
        EXPECT_EQ(g.engine.state().lastRow, 2);
    }
}

TEST(TapeFileTest, DataLinesOfEveryLength) {
    DocumentFixture f;
    // The whole header, with the tape on: a tape kept with it off keeps no register records.
    std::string header;
    for (size_t i = 0; i < 11; ++i) header += lines(save(f))[i] + "\r\n";
    const std::string text =
        header +
        "1\ta\tb\tc\r\n"                      // short: 4 fields
        "2\t\t\t\t5.\t+\t\t5.:5:5|1:1:0\r\n"  // with its register record
        "3\t\t\t\t6.\t+\t\t6.:11:11|2:1:0\thttp://x\r\n"
        "4\tx\ty\tz\tw\tv\tu\r\n"                                // exactly ColCount fields
        "5\tone\ttwo\tthree\tfour\tfive\tsix\tseven\tA\tB\r\n";  // a TAB too many
    DocumentFixture g;
    const LoadReport report = loadTapeText(text, g.document, g.engine, g.settings);
    EXPECT_EQ(report.dataRows, 5);
    EXPECT_EQ(g.engine.cell(1, 0), "4") << "a short line leaves its field count";
    EXPECT_EQ(g.engine.cell(1, 3), "b");
    EXPECT_EQ(g.engine.cell(2, 0), "5.:5:5|1:1:0");
    EXPECT_EQ(g.engine.cell(3, 8), "http://x");
    EXPECT_EQ(g.engine.cell(4, 0), "7");
    EXPECT_EQ(g.engine.cell(5, 0), "seven");
    EXPECT_EQ(g.engine.cell(5, 8), "B") << "a TAB inside a cell shifts the rest of the row";
}

// Messenger texts are saved scrambled (see the free texts below); older files hold them plain.
TEST(TapeFileTest, PlainMessengerTextsOfOldFilesAreRead) {
    DocumentFixture h;
    loadTapeText("Lgo\t" + scrambleLogo("1") + "\tpic.bmp,Plain text\r\n", h.document, h.engine,
                 h.settings);
    EXPECT_EQ(h.settings.fields[std::pair(3, 0)], "pic.bmp,Plain text");
}

// Old files number their options their own way; the tape switch must still be found among them.
TEST(TapeFileTest, LegacyOptionsRecordKeepsTheTapeSwitch) {
    for (const char* tapeSwitch : {"0", "1"}) {
        DocumentFixture f;
        const std::string record = "O\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\t0\t0\t0\t" +
                                   std::string(tapeSwitch) + "\t1\t0\t0\t0\t1\t0\t1\r\n";
        f.engine.setTapeOn(*tapeSwitch != '1');
        loadTapeText(record, f.document, f.engine, f.settings);
        EXPECT_EQ(f.engine.state().tapeOn, *tapeSwitch == '1');
    }
}

TEST(TapeFileTest, DamagedFilesNeverCrash) {
    std::mt19937 random(7);
    // Small damaged files, "|" between them, then a megabyte of one letter and random bytes.
    std::vector<std::string> samples = split(
        "|\r\n\r\n|\t\t\t|H|M\t:\t::\t:x:-9|F|Ver\t9999999999\t-1|1\t2\t3\n-1\tx\n1e308\ty\n", "|");
    samples.emplace_back(1 << 20, 'x');
    for (char& c : samples.emplace_back(200000, '\0')) c = static_cast<char>(random());
    for (const std::string& sample : samples) {
        DocumentFixture f;
        const LoadReport report = loadTapeText(sample, f.document, f.engine, f.settings);
        EXPECT_GE(f.engine.state().lastRow, 1);
        EXPECT_TRUE(sample.find('\0') == std::string::npos || !report.problems.empty());
    }
}

TEST(TapeFileTest, MoreRowsThanMaxRowsLoadWhole) {
    DocumentFixture f;
    f.engine.setMaxRows(10000);
    for (int i = 0; i < 300; ++i) f.key("1+");
    const std::string text = save(f);
    DocumentFixture g;
    g.engine.setMaxRows(100);
    loadTapeText(text, g.document, g.engine, g.settings);
    EXPECT_EQ(g.engine.state().lastRow, 301);
    EXPECT_EQ(save(g), text) << "a reload must not lose lines beyond the capacity";
    g.key("1+");
    EXPECT_EQ(g.engine.state().lastRow, 301) << "the capacity still limits new lines";
}

// Damage past what any tape holds (a cell of megabytes, thousands of columns, millions of
// rows) is cut at a bound and reported with where it was; everything else is read, and what
// was read saves to a file that reads back without damage.
TEST(TapeFileTest, DamagePastTheBoundsIsCutAndReported) {
    // A long description of two-byte letters: the cut must not split one.
    std::string longCell = "R";
    for (int i = 0; i < 40000; ++i) longCell += "\xC3\xA9";
    const struct {
        const char* name;
        int maxCols;
        ReadLimits limits;
        std::string problem;
        std::function<void(const DocumentFixture& read, const DocumentFixture& keyed)> check;
    } cases[] = {
        {"a cell longer than 64 KB",
         0,
         {},
         "row 2 (line 14): the cell in column 4 held 80001 bytes; cut to at most 65536",
         [&](const auto& read, const auto&) {
             EXPECT_EQ(read.engine.cell(2, 4), longCell.substr(0, 65535));
         }},
        {"more columns than MaxCols",
         5,
         {},
         "line 2: 7 columns, more than MaxCols (5); the columns after column 5 are left out",
         [](const auto& read, const auto& keyed) {
             EXPECT_EQ(read.engine.layout().colCount, 5);
             EXPECT_EQ(read.engine.cell(2, 5), keyed.engine.cell(2, 5));
         }},
        {"more rows than a tape holds",
         0,
         {65536, 1024, 3},
         "2 rows after row 3 are left out: a tape holds at most 3 rows",
         [](const auto& read, const auto&) { EXPECT_EQ(read.engine.state().lastRow, 3); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture keyed;
        keyed.key("500+25.5+T");
        reloadWithCell(keyed.engine, 2, 4, longCell);
        DocumentFixture read;
        read.settings.mostColumns = c.maxCols;
        const auto report =
            loadTapeText(save(keyed), read.document, read.engine, read.settings, c.limits);
        EXPECT_TRUE(std::any_of(report.problems.begin(), report.problems.end(),
                                [&](const std::string& p) { return p.starts_with(c.problem); }))
            << ::testing::PrintToString(report.problems);
        c.check(read, keyed);
        // Every register record stays with its row, whatever was left out before it.
        for (int row = 1; row <= read.engine.state().lastRow; ++row)
            EXPECT_EQ(read.engine.cell(row, kRegisterColumn),
                      keyed.engine.cell(row, kRegisterColumn));
        DocumentFixture again;
        again.settings.mostColumns = c.maxCols;
        EXPECT_TRUE(loadTapeText(save(read), again.document, again.engine, again.settings, c.limits)
                        .problems.empty());
    }
}

// Every cell as shown, and the register values as numbers: a value taken from the display is
// spelt "821" when keyed and "821." when replayed from its record.
std::vector<std::string> shownRows(const DocumentFixture& f) {
    std::vector<std::string> rows;
    const NumberFormatter& format = f.engine.format();
    for (int row = 1; row <= f.engine.state().lastRow; ++row) {
        std::string text;
        for (int col = 1; col <= f.engine.layout().colCount; ++col)
            text.append(f.engine.cell(row, col)) += '|';
        const std::string_view record = f.engine.cell(row, kRegisterColumn);
        for (int field = 1; field <= recordFieldCount(record); ++field)
            text += format.format(format.read(recordField(record, field))) + "|";
        rows.push_back(text);
    }
    return rows;
}

// Random tapes save, load and save to the same bytes, and recalculate to the same rows.
TEST(TapeFilePropertyTest, SaveLoadSaveIsByteIdentical) {
    std::mt19937 random(4242);
    const std::string keys = "++--*/=%STWCG ";
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(trial);
        DocumentFixture f;
        for (int i = 0; i < 25; ++i) {
            if (random() % 3 != 0) f.key(std::to_string(random() % 1000));
            f.key(std::string(1, keys[random() % keys.size()]));
            if (random() % 7 == 0)
                f.engine.editCell(f.engine.layout().roles.description, "note " + std::to_string(i));
        }
        if (f.engine.state().lastRow > 3) {
            f.engine.clickRow(2);
            f.key("RR");
            f.engine.gotoLine(GotoTarget::openRow);
            f.key("R1+");
        }
        f.document.notes = "line one\r\nline two";
        const std::string first = save(f);
        DocumentFixture g;
        loadTapeText(first, g.document, g.engine, g.settings);
        ASSERT_EQ(save(g), first);
        g.engine.recalculate(1);
        EXPECT_EQ(shownRows(g), shownRows(f));
    }
}

// Free text with TAB, CR, LF or NUL must not move fields or split lines: the file holds it
// cleaned (a TAB inside a notes line survives) and what was read saves to the same file.
TEST(TapeFileTest, FreeTextReadsBackWithoutSplittingTheFile) {
    const struct {
        const char* name;
        std::function<void(DocumentFixture&)> set;
        std::string written;
    } cases[] = {
        {"caption", [](auto& f) { f.document.columns.column(5).caption = "Amount\tdue"; },
         "\tAmount due\t"},
        {"font",
         [](auto& f) {
             f.document.font = TapeFont{"Mono\r\nSpace", {"8.25", "9", "12"}, true, false, "Fit"};
         },
         "\r\nF\tMono  Space\t8.25\tTrue\tFalse\t"},
        {"notes", [](auto& f) { f.document.notes = "a\tb\r\n\tc\rd\ne"; },
         "\r\nN\ta\tb\r\nN\t\tc d e\r\n"},
        {"notes with an empty line", [](auto& f) { f.document.notes = "\r\nfirst\r\n\r\nthird"; },
         "\r\nN\t\r\nN\tfirst\r\nN\t\r\nN\tthird\r\n"},
        {"description",
         [](auto& f) { reloadWithCell(f.engine, 1, 4, std::string("Re\0nt\t!", 8)); },
         "\tRent !\t"},
        {"printer texts",
         [](auto& f) {
             f.settings.fields.insert({{{2, -1}, "1"}, {{2, 1}, "Page\t1,Total\n"}});
         },
         "\tPage 1,Total \r\n"},
        {"messenger texts",
         [](auto& f) {
             f.settings.fields.insert({{{3, -1}, "1"}, {{3, 0}, "logo.png,Hi\tthere"}});
         },
         "\t" + scrambleLogo("logo.png,Hi there")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture f;
        f.key("500+25.5+T");
        c.set(f);
        const std::string text = save(f);
        EXPECT_EQ(text.find('\0'), std::string::npos);
        EXPECT_NE(text.find(c.written), std::string::npos) << text;
        DocumentFixture g;
        EXPECT_TRUE(loadTapeText(text, g.document, g.engine, g.settings).problems.empty());
        EXPECT_EQ(save(g), text) << "what was read saves to the same file";
        g.engine.recalculate(1);
        EXPECT_EQ(g.engine.cell(3, 5), "525.5");
    }
}

// A tape with no columns left, or with fewer than the document had, reads back as written.
TEST(TapeFileTest, ColumnSetsOfEverySizeReadBackAsWritten) {
    for (int keep : {1, 2, 5, 7}) {
        SCOPED_TRACE(keep);
        DocumentFixture f;
        f.key("5+7+T");
        while (f.document.columns.colCount() > keep) f.document.columns.deleteColumn(2);
        const std::string text = save(f);
        DocumentFixture g;
        loadTapeText(text, g.document, g.engine, g.settings);
        EXPECT_EQ(g.engine.layout().colCount, keep);
        // The cursor's column (in "Ver") is placed anew on reading.
        EXPECT_EQ(save(g).substr(save(g).find("\r\nH")), text.substr(text.find("\r\nH")));
    }
}

// Numbers far outside what a field can hold are clamped, and counts saturate.
TEST(TapeFileTest, AbsurdNumbersAreClamped) {
    DocumentFixture f;
    const std::string huge(40, '9');
    const std::string fields = "\t" + huge + "\t-" + huge + "\r\n";
    loadTapeText("H\tA\tB\r\nW" + fields + "S" + fields + "B" + fields +
                     "F\tx\t9\tFalse\tFalse\t9\t9\t" + huge + "\t" + huge + "\t-" + huge + "\t" +
                     huge + "\t" + huge + "\r\n",
                 f.document, f.engine, f.settings);
    EXPECT_EQ(f.document.columns.column(2).kind, ColumnKind::text);
    EXPECT_EQ(f.document.columns.width(2), 32767);
    EXPECT_EQ(f.document.columns.width(3), -32768);
    EXPECT_EQ(f.settings.colours[0], 4294967295LL);
    EXPECT_EQ(f.settings.colours[1], -2147483648LL);
    EXPECT_EQ(f.document.lineNumberWidth, 32767);
    for (const char* counts : {"100000000000000000000", "2000000000"}) {
        SCOPED_TRACE(counts);
        DocumentFixture g;
        g.engine.settings().countsOn = true;
        g.key("5+T7+T");
        reloadWithCell(g.engine, 2, g.engine.layout().roles.itemCount, counts);
        reloadWithCell(g.engine, 5, g.engine.layout().roles.itemCount, counts);
        g.key("G");
        EXPECT_EQ(g.engine.cell(7, g.engine.layout().roles.itemCount), "2147483647");
    }
}

}  // namespace
}  // namespace talvex::testing
