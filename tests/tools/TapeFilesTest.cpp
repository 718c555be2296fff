// talvex-tape with files: saving what was keyed, templates, show, recalc and check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <regex>
#include <sstream>

#include "ToolRun.h"
#include "ToolSession.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "session/TapeSession.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

class TapeFilesTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        testing::writeFile(folder / name, text);
    }

    TempFolder folder;
};

TEST_F(TapeFilesTest, TemplatesCarryColumnsAndSettings) {
    ASSERT_EQ(tool({"keys", "--decimal-mode", "0", "--no-data", "-o", file("t.kwt"), ""}).status,
              0);
    EXPECT_EQ(readFile(folder / "t.kwt").find("\r\nM"), std::string::npos);
    const Result keyed = tool({"keys", "--template", file("t.kwt"), "1234+5+T"});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_NE(keyed.out.find("\t12.34\t+\t"), std::string::npos) << keyed.out;
    EXPECT_NE(keyed.out.find("\t12.39\tT\t"), std::string::npos)
        << "add mode came with the template";
    EXPECT_EQ(tool({"keys", "--template", file("missing.kwt"), "1+"}).status, 2);
}

TEST_F(TapeFilesTest, FailuresAreReported) {
    EXPECT_NE(tool({"show", file("nothing.kwd")}).err.find("cannot read"), std::string::npos);
    const Result unwritable = tool({"keys", "-o", file("no/such/folder/a.kwd"), "1+"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot save"), std::string::npos);
    EXPECT_EQ(tool({"show"}).status, 2);
}

// The shipped tapes load cleanly and recalculate to exactly what they show.
TEST_F(TapeFilesTest, ShippedTapesAreConsistent) {
    for (const char* name :
         {"!Default.kwt", "Readme45.kwd", "Household.kwd", "Invoice.kwd", "Loan.kwd"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TALVEX_DATA_DIR) + "/" + name;
        const Result checked = tool({"check", path});
        EXPECT_EQ(checked.status, 0) << checked.out;
        ASSERT_EQ(tool({"recalc", path, "-o", file("again.kwd")}).status, 0);
        EXPECT_EQ(tool({"show", file("again.kwd")}).out, tool({"show", path}).out);
        EXPECT_EQ(readFile(folder / "again.kwd"), readFile(path))
            << "saved with current rows; a template without data stays one";
    }
}

std::string withoutLine(const std::string& text, const std::string& start) {
    const size_t from = text.find(start);
    return text.substr(0, from) + text.substr(text.find("\r\n", from) + 2);
}

// A tape whose columns outnumber MaxCols (11 unless the configuration says otherwise).
std::string widened(std::string text, int extra) {
    for (const auto& [tag, field] : {std::pair("\r\nH\t", "\tX"), std::pair("\r\nW\t", "\t5"),
                                     std::pair("\r\nS\t", "\t0"), std::pair("\r\nV\t", "\tTrue")}) {
        const size_t end = text.find("\r\n", text.find(tag) + 2);
        for (int i = 0; i < extra; ++i) text.insert(end, field);
    }
    return text;
}

// Each damaged form of a keyed tape: check names every problem on its own line and fails; the
// forms that are not damage check clean.
TEST_F(TapeFilesTest, CheckReportsEveryDamage) {
    const std::string script = "{desc Rent}500+25.5+T{note one}{desc Food}12+T{note two words}";
    ASSERT_EQ(tool({"keys", "-o", file("a.kwd"), script}).status, 0);
    const std::string tape = readFile(folder / "a.kwd");
    const size_t firstRow = tape.find("\r\n1\t") + 2;
    EXPECT_NE(tape.find("\r\nN\tone\r\nN\ttwo words\r\n"), std::string::npos) << "notes in order";
    std::string nul = tape;
    nul.insert(nul.find("Rent") + 2, 1, '\0');
    std::string renumbered = tape;
    renumbered.replace(renumbered.find("\r\n3\t") + 2, 1, "x");
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> problems;
    } cases[] = {
        {"byte-order mark", "\xEF\xBB\xBF" + tape, {}},
        {"no Ver", withoutLine(tape, "Ver\t"), {"no \"Ver\" record"}},
        {"cut inside a row", tape.substr(0, tape.size() - 6), {"cut short"}},
        {"cut inside the header",
         tape.substr(0, tape.find("\r\nS\t") + 6),
         {"cut short", "ends inside its header"}},
        {"no S", withoutLine(tape, "S\t"), {"no \"S\" record"}},
        {"damaged row number", renumbered, {"line 17: the row number is damaged"}},
        {"more columns than MaxCols", widened(tape.substr(0, firstRow), 5), {"MaxCols"}},
        {"NUL byte", nul, {"NUL byte"}},
        {"header only", tape.substr(0, tape.find("\r\nM\t") + 2), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write("d.kwd", c.text);
        const Result checked = tool({"check", file("d.kwd")});
        EXPECT_EQ(checked.status, c.problems.empty() ? 0 : 1) << checked.out;
        std::vector<std::string> reported = linesOf(checked.out);
        std::erase_if(reported, [](const std::string& l) { return !l.starts_with("problem: "); });
        ASSERT_EQ(reported.size(), c.problems.size()) << checked.out;
        for (size_t i = 0; i < reported.size(); ++i)
            EXPECT_NE(reported[i].find(c.problems[i]), std::string::npos) << reported[i];
    }
}

// Every cut of every shipped tape, and random byte flips: the reader never fails, a cut is
// reported unless it falls between lines after the header, and what was read saves stably.
TEST_F(TapeFilesTest, ReaderSurvivesEveryCutAndByteFlip) {
    std::mt19937 random(99);
    ViewPort view;
    ConsoleDialogs dialogs(std::cerr);
    FrontEndPort noWindow;
    ProgressPort progress;
    const auto load = [&](const std::string& text, std::string* saved = nullptr) {
        TapeSession core({view, dialogs, noWindow, progress}, ConfigStore(folder / "Talvex.ini"),
                         '.');
        LoadReport report = loadTapeText(text, core.document, core.engine, core.fileSettings);
        EXPECT_GE(core.engine.state().lastRow, 1);
        if (saved)
            *saved =
                tapeFileText(core.document, core.engine, core.fileSettings, TapeKind::withData);
        return report;
    };
    for (const char* name :
         {"!Default.kwt", "Readme45.kwd", "Household.kwd", "Invoice.kwd", "Loan.kwd"}) {
        SCOPED_TRACE(name);
        const std::string tape = readFile(std::string(TALVEX_DATA_DIR) + "/" + name);
        const size_t headerEnd = tape.find("\n", tape.find("\r\nA\t") + 2) + 1;
        for (size_t cut = 0; cut <= tape.size(); ++cut) {
            const bool clean = cut >= headerEnd && tape[cut - 1] == '\n';
            EXPECT_EQ(load(tape.substr(0, cut)).problems.empty(), clean) << "cut at " << cut;
        }
        for (int flip = 0; flip < 200; ++flip) {
            std::string text = tape;
            text[random() % text.size()] ^= static_cast<char>(1 << (random() % 8));
            std::string saved, again;
            const bool damaged = !load(text, &saved).problems.empty();
            const bool savedClean = load(saved, &again).problems.empty();
            EXPECT_TRUE(damaged || (savedClean && again == saved)) << "flip " << flip << "\n"
                                                                   << saved;
        }
    }
}

// Amount, operator and description of every printed row: what a user reads on the tape; with
// the registers, the record without its raw entry too.
std::vector<std::string> shown(const std::string& rows, bool registers = false) {
    std::vector<std::string> result;
    for (const auto& cells : printedCells(rows))
        result.push_back(
            cells[3] + "|" + cells[4] + "|" + cells[5] +
            (registers ? cells[7].substr(std::min(cells[7].find(':'), cells[7].size())) : ""));
    return result;
}

// A saved tape as an earlier version wrote it: its records without the raw entry.
std::string asEarlyVersion(const std::string& tape, const std::string& version) {
    const std::regex rawEntry("(\r\n[1-9][^\t\r]*(\t[^\t\r]*){6}\t)[^:\t\r]*:");
    return std::regex_replace(std::regex_replace(tape, rawEntry, "$1"), std::regex("^Ver\t[^\t]*"),
                              "Ver\t" + version);
}

constexpr const char* kScript = "5++7-{desc Food}12.5+S2*3={desc Fuel}4/8%T1 3/4*4=";

// Data files, early versions and tapes switched on for them recalculate, stably, to the keys typed
// fresh; a line corrected in the middle follows on as typed fresh, registers included.
TEST_F(TapeFilesTest, EveryKindOfFileRecalculatesToTheKeyedAmounts) {
    const std::string fresh = tool({"keys", kScript}).out;
    const std::string correction = "{row 2}{amount 9}+{row 6}{amount 3}*";
    const std::string corrected = tool({"keys", std::string(kScript) + correction}).out;
    ASSERT_EQ(tool({"keys", "--tape", "0", "-o", file("data.kwb"), kScript}).status, 0);
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), kScript}).status, 0);
    write("v1.kwd", asEarlyVersion(readFile(folder / "tape.kwd"), "1"));
    write("v0.kwd", asEarlyVersion(readFile(folder / "tape.kwd"), "0"));
    for (const char* name : {"data.kwb", "tape.kwd", "v1.kwd", "v0.kwd"}) {
        SCOPED_TRACE(name);
        const Result again = tool({"recalc", file(name), "-o", file("once.kwd")});
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(shown(tool({"show", file("once.kwd")}).out), shown(fresh));
        ASSERT_EQ(tool({"recalc", file("once.kwd"), "-o", file("twice.kwd")}).status, 0);
        EXPECT_EQ(readFile(folder / "twice.kwd"), readFile(folder / "once.kwd"));
        // The tape switched on for a file: every line gets its register record from the replay.
        const Result tapeOn = tool({"keys", "--template", file(name), "--tape", "1", "{recalc}"});
        EXPECT_EQ(tapeOn.status, 0) << tapeOn.err;
        EXPECT_EQ(shown(tapeOn.out), shown(fresh));
        // A data file has no registers to carry on from until the replay gives them.
        const std::string replay = std::string(name) == "data.kwb" ? "{recalc}" : "";
        const Result edited =
            tool({"keys", "--template", file(name), "--tape", "1", replay + correction});
        EXPECT_EQ(edited.status, 0) << edited.err;
        EXPECT_EQ(shown(edited.out, true), shown(corrected, true));
    }
}

// Damaged tapes: whatever the first open makes of one, saved, opens again as the same rows and
// without damage; where the damage left a figure to follow, it shows what the sound tape shows.
TEST_F(TapeFilesTest, DamagedTapesOpenTheSameTheSecondTime) {
    const std::string loan = readFile(std::string(TALVEX_DATA_DIR) + "/Loan.kwd");
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    const auto amountOf = [](const std::string& rows, const std::string& code) {
        for (const auto& cells : printedCells(rows))
            if (cells[5] == code) return cells[4];
        return std::string("no line " + code);
    };
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), kScript}).status, 0);
    const struct {
        const char* name;
        std::string text;
        std::function<void(const std::string& rows)> check;
    } cases[] = {
        {"the reference record lost the slot of a source",
         replaced(loan, "M\t:-2\t1,535.22:1\r\n", "M\t:-2\r\n"),
         [&](const auto& rows) { EXPECT_EQ(amountOf(rows, "x "), "1,535.22"); }},
        // The interest's raw entry no longer matches its amount: the payment changes when
        // replayed, and the line above it that adds the payment follows.
        {"a line uses a source below it that the replay changes",
         replaced(replaced(loan, "\t5.5:5.50:", "\t6.5:5.50:"), "\r\n1\t",
                  "\r\n1\t\t\t\t1,535.22\t+ \t1\t1535.22:1,535.22:1535.22|1:1:0\r\n1\t"),
         [&](const auto& rows) { EXPECT_EQ(amountOf(rows, "+ "), amountOf(rows, "P")); }},
        {"records of the earliest layout under the current version",
         asEarlyVersion(readFile(folder / "tape.kwd"), "2"),
         [&](const auto& rows) {
             EXPECT_EQ(shown(rows, true), shown(tool({"keys", kScript}).out, true));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write("damaged.kwd", c.text);
        const Result first =
            tool({"keys", "--template", file("damaged.kwd"), "-o", file("saved.kwd"), ""});
        c.check(first.out);
        EXPECT_EQ(tool({"show", file("saved.kwd")}).out, first.out);
        const Result checked = tool({"check", file("saved.kwd")});
        EXPECT_EQ(checked.status, 0) << checked.out;
    }
}

// Records of earlier versions give the tape its page layout and messenger text: a save keeps
// them, so the tape opens again with what it showed.
TEST_F(TapeFilesTest, EarlierVersionsLayoutAndMessengerStayWithTheTape) {
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), kScript}).status, 0);
    std::string early = readFile(folder / "tape.kwd");
    early.insert(early.find("\r\nA\t") + 2,
                 "X\tTape\tLetter (8.5\" x 11.0\")\tOur budget\r\nL\t\t\tOur message\r\n");
    write("early.kwd", early);
    ASSERT_EQ(tool({"recalc", file("early.kwd"), "-o", file("saved.kwd")}).status, 0);
    std::ostringstream messages;
    std::string error;
    ToolSession first(messages, '.'), again(messages, '.');
    ASSERT_TRUE(first.load(file("early.kwd"), error) && again.load(file("saved.kwd"), error));
    for (const auto& [group, text] : {std::pair(settings_group::kPrinter, "Our budget"),
                                      std::pair(settings_group::kMessenger, "Our message")}) {
        const std::string shown =
            first.settings().groupField(group, 0) + first.settings().groupField(group, 1);
        EXPECT_NE(shown.find(text), std::string::npos) << shown;
        EXPECT_EQ(again.settings().groupField(group, 0) + again.settings().groupField(group, 1),
                  shown);
    }
}

// Decimal comma tapes are read and recalculated with the separator given.
TEST_F(TapeFilesTest, DecimalSeparatorIsKept) {
    const Result keyed = tool({"keys", "--decsep", ",", "-o", file("c.kwd"), "1,5+2,25+T3*1,5="});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_EQ(tool({"recalc", "--decsep", ",", file("c.kwd")}).status, 0);
    EXPECT_EQ(tool({"show", "--decsep", ",", file("c.kwd")}).out, keyed.out);
}

// What recalc could not read cleanly or replay (the other decimal separator would multiply) it
// never writes over, and says why; -o still saves what was read. CR-only lines are one damaged
// line.
TEST_F(TapeFilesTest, ProblemsLeaveTheFileAsItWas) {
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), "1+2+3+4+5+6+7+8+T"}).status, 0);
    ASSERT_EQ(tool({"keys", "--decsep", ",", "-o", file("comma.kwd"), "1,5+2,25+T"}).status, 0);
    const std::string tape = readFile(folder / "tape.kwd");
    std::string crOnly = tape;
    for (size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    std::string unknown = tape;
    unknown.replace(unknown.find("\t+\t", unknown.find("\r\n3\t")), 3, "\t?\t");
    write("cr.kwd", crOnly);
    write("op.kwd", unknown);
    write("nover.kwd", withoutLine(tape, "Ver\t"));
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* why;
    } cases[] = {
        {"nover.kwd", {"recalc"}, "no \"Ver\" record"},
        {"comma.kwd", {"recalc"}, "--decsep ,"},
        {"comma.kwd", {"recalc", "--decsep", "."}, "--decsep ,"},
        {"tape.kwd", {"recalc", "--decsep", ","}, ""},
        {"cr.kwd", {"recalc"}, "left as it was"},
        {"op.kwd", {"recalc"}, "left as it was"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = readFile(folder / c.name);
        std::vector<std::string> args = c.args;
        args.push_back(file(c.name));
        const Result refused = tool(args);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find(c.why), std::string::npos) << refused.err;
        EXPECT_EQ(readFile(folder / c.name), before);
    }
    tool({"recalc", file("cr.kwd"), "-o", file("out.kwd")});
    EXPECT_TRUE(fs::exists(folder / "out.kwd"));
    EXPECT_EQ(tool({"keys", "--template", file("cr.kwd"), "-o", file("cr.kwd"), "1+"}).status, 1);
    EXPECT_EQ(readFile(folder / "cr.kwd"), crOnly);
}

}  // namespace
}  // namespace talvex
