// talvex-tape with files: saving what was keyed, templates, show, recalc and check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ToolRun.h"
#include "documents/TapeReader.h"
#include "documents/TapeWriter.h"
#include "shell/TapeCore.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

class TapeFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("talvex-tool-" + std::to_string(random()));
        fs::create_directories(folder);
        // The user's own configuration must not change what the tests see.
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(TapeFilesTest, SavedTapeShowsTheSameRowsAndRecalculates) {
    const Result keyed = tool({"keys", "-o", file("a.kwd"), "{desc Rent}500+25.5+S3*4=T"});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    const Result shown = tool({"show", file("a.kwd")});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, keyed.out);
    const std::string saved = contents(folder / "a.kwd");
    ASSERT_EQ(tool({"recalc", file("a.kwd"), "-o", file("b.kwd")}).status, 0);
    EXPECT_EQ(tool({"show", file("b.kwd")}).out, keyed.out);
    EXPECT_EQ(contents(folder / "a.kwd"), saved) << "recalc -o leaves the input alone";
    EXPECT_EQ(tool({"check", file("a.kwd")}).out,
              file("a.kwd") + ": version 2, 10 rows, 7 columns\n");
}

TEST_F(TapeFilesTest, TemplatesCarryColumnsAndSettings) {
    ASSERT_EQ(tool({"keys", "--decimal-mode", "0", "--no-data", "-o", file("t.kwt"), ""}).status,
              0);
    EXPECT_EQ(contents(folder / "t.kwt").find("\r\nM"), std::string::npos);
    const Result keyed = tool({"keys", "--template", file("t.kwt"), "1234+5+T"});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_NE(keyed.out.find("\t12.34\t+\t"), std::string::npos) << keyed.out;
    EXPECT_NE(keyed.out.find("\t12.39\tT\t"), std::string::npos)
        << "add mode came with the template";
    EXPECT_EQ(tool({"keys", "--template", file("missing.kwt"), "1+"}).status, 2);
}

TEST_F(TapeFilesTest, FailuresAreReported) {
    const Result unreadable = tool({"show", file("nothing.kwd")});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot read"), std::string::npos);
    const Result unwritable = tool({"keys", "-o", file("no/such/folder/a.kwd"), "1+"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot save"), std::string::npos);
    std::ofstream(folder / "junk.kwd") << std::string("\0\0garbage\n7\tx", 13);
    const Result checked = tool({"check", file("junk.kwd")});
    EXPECT_EQ(checked.status, 1);
    EXPECT_NE(checked.out.find("problem: "), std::string::npos);
    EXPECT_EQ(tool({"show"}).status, 2);
}

// The shipped tapes load cleanly and recalculate to exactly what they show.
TEST_F(TapeFilesTest, ShippedTapesAreConsistent) {
    for (const char* name : {"!Default.kwt", "Readme45.kwd", "Household.kwd", "Invoice.kwd"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TALVEX_DATA_DIR) + "/" + name;
        const Result checked = tool({"check", path});
        EXPECT_EQ(checked.status, 0) << checked.out;
        ASSERT_EQ(tool({"recalc", path, "-o", file("again.kwd")}).status, 0);
        EXPECT_EQ(tool({"show", file("again.kwd")}).out, tool({"show", path}).out);
        EXPECT_EQ(contents(folder / "again.kwd"), contents(path))
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
    ASSERT_EQ(tool({"keys", "-o", file("a.kwd"), "{desc Rent}500+25.5+T{desc Food}12+T"}).status,
              0);
    const std::string tape = contents(folder / "a.kwd");
    const size_t firstRow = tape.find("\r\n1\t") + 2;
    const size_t sLine = tape.find("\r\nS\t") + 2;
    std::string nul = tape;
    nul.insert(nul.find("Rent") + 2, 1, '\0');
    std::string renumbered = tape;
    renumbered.replace(renumbered.find("\r\n3\t") + 2, 1, "x");
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"byte-order mark", "\xEF\xBB\xBF" + tape, {}},
        {"no Ver", withoutLine(tape, "Ver\t"), {"no \"Ver\" record"}},
        {"cut inside a row", tape.substr(0, tape.size() - 6), {"cut short"}},
        {"cut inside the header",
         tape.substr(0, sLine + 4),
         {"cut short", "ends inside its header"}},
        {"cut between header records", tape.substr(0, sLine), {"ends inside its header"}},
        {"no S", withoutLine(tape, "S\t"), {"no \"S\" record"}},
        {"damaged row number", renumbered, {"line 15: the row number is damaged"}},
        {"more columns than MaxCols", widened(tape.substr(0, firstRow), 5), {"MaxCols"}},
        {"NUL byte", nul, {"NUL byte"}},
        {"header only", tape.substr(0, tape.find("\r\nM\t") + 2), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(folder / "d.kwd", std::ios::binary) << c.text;
        const Result checked = tool({"check", file("d.kwd")});
        EXPECT_EQ(checked.status, c.problems.empty() ? 0 : 1) << checked.out;
        std::vector<std::string> reported;
        std::istringstream lines(checked.out);
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("problem: ")) reported.push_back(line);
        ASSERT_EQ(reported.size(), c.problems.size()) << checked.out;
        for (size_t i = 0; i < reported.size(); ++i)
            EXPECT_NE(reported[i].find(c.problems[i]), std::string::npos) << reported[i];
    }
    const Result nulKeyed =
        tool({"keys", "-o", file("n.kwd"), "{desc a" + std::string(1, '\0') + "b}5+"});
    ASSERT_EQ(nulKeyed.status, 0);
    EXPECT_EQ(tool({"check", file("n.kwd")}).status, 0)
        << "a key script cannot put a NUL in a cell";
}

// What the reader keeps of a damaged tape recalculates to the rows it showed, and recalc never
// writes over a file whose reading reported problems.
TEST_F(TapeFilesTest, DamagedTapesKeepTheirAmounts) {
    ASSERT_EQ(tool({"keys", "-o", file("a.kwd"), "500+25.5+S3*4=T"}).status, 0);
    const std::string tape = contents(folder / "a.kwd");
    const std::string shown = tool({"show", file("a.kwd")}).out;
    for (const std::string& damaged : {"\xEF\xBB\xBF" + tape, withoutLine(tape, "Ver\t")}) {
        std::ofstream(folder / "d.kwd", std::ios::binary) << damaged;
        ASSERT_EQ(tool({"recalc", file("d.kwd"), "-o", file("r.kwd")}).status, 0);
        EXPECT_EQ(tool({"show", file("r.kwd")}).out, shown);
    }
    const Result refused = tool({"recalc", file("d.kwd")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("no \"Ver\" record"), std::string::npos) << refused.err;
    EXPECT_EQ(contents(folder / "d.kwd"), withoutLine(tape, "Ver\t"));
}

// Every cut of every shipped tape, and random byte flips: the reader never fails, a cut is
// reported unless it falls between lines after the header, and what was read saves stably.
TEST_F(TapeFilesTest, ReaderSurvivesEveryCutAndByteFlip) {
    std::mt19937 random(99);
    ViewPort view;
    const auto load = [&](const std::string& text, std::string* saved = nullptr) {
        TapeCore core(view, ConfigStore(folder / "Talvex.ini"), '.');
        LoadReport report = loadTapeText(text, core.document, core.engine, core.settings);
        EXPECT_GE(core.engine.lastRow(), 1);
        if (saved)
            *saved = tapeFileText(core.document, core.engine, core.settings, TapeKind::withData);
        return report;
    };
    for (const char* name : {"!Default.kwt", "Readme45.kwd", "Household.kwd", "Invoice.kwd"}) {
        SCOPED_TRACE(name);
        const std::string tape = contents(std::string(TALVEX_DATA_DIR) + "/" + name);
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
            if (!damaged) {
                EXPECT_TRUE(savedClean) << "flip " << flip;
                EXPECT_EQ(again, saved) << "flip " << flip;
            }
        }
    }
}

}  // namespace
}  // namespace talvex
