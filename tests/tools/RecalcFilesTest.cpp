// Recalculating saved tapes with talvex-tape: a file gives the amounts its keys give typed
// fresh, whatever version, kind or decimal separator it was saved with, and a file the reader
// had problems with is never written over.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ToolRun.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// Amount, operator and description of every printed row: what a user reads on the tape.
std::vector<std::string> shown(const std::string& rows) {
    std::vector<std::string> result;
    for (const std::string& row : split(rows, "\n")) {
        if (row.empty()) continue;
        std::vector<std::string> cells = split(row, "\t");
        cells.resize(6);
        result.push_back(cells[3] + "|" + cells[4] + "|" + cells[5]);
    }
    return result;
}

// A saved tape as an earlier version wrote it: its records without the raw entry.
std::string asEarlyVersion(const std::string& tape, const std::string& version) {
    std::vector<std::string> lines = split(tape, "\r\n");
    for (std::string& line : lines) {
        std::vector<std::string> fields = split(line, "\t");
        if (fields[0] == "Ver") fields[1] = version;
        const bool dataRow = !fields[0].empty() && fields[0][0] >= '1' && fields[0][0] <= '9';
        if (dataRow && fields.size() > 7) fields[7] = fields[7].substr(fields[7].find(':') + 1);
        line.clear();
        for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    }
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

constexpr const char* kScript = "5++7-{desc Food}12.5+S2*3={desc Fuel}4/8%T1 3/4*4=";

class RecalcFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("talvex-recalc-" + std::to_string(random()));
        fs::create_directories(folder);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(folder / name, std::ios::binary) << text;
    }

    fs::path folder;
};

// Data files (no register records), early versions (records without the raw entry) and tapes
// with the tape switched on for them all recalculate to the amounts of the keys typed fresh,
// and what recalc writes is stable: reloaded and recalculated again it is the same file.
TEST_F(RecalcFilesTest, EveryKindOfFileRecalculatesToTheKeyedAmounts) {
    const std::string fresh = tool({"keys", kScript}).out;
    ASSERT_EQ(tool({"keys", "--tape", "0", "-o", file("data.kwb"), kScript}).status, 0);
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), kScript}).status, 0);
    write("v1.kwd", asEarlyVersion(contents(folder / "tape.kwd"), "1"));
    write("v0.kwd", asEarlyVersion(contents(folder / "tape.kwd"), "0"));
    for (const char* name : {"data.kwb", "tape.kwd", "v1.kwd", "v0.kwd"}) {
        SCOPED_TRACE(name);
        const Result again = tool({"recalc", file(name), "-o", file("once.kwd")});
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(shown(tool({"show", file("once.kwd")}).out), shown(fresh));
        ASSERT_EQ(tool({"recalc", file("once.kwd"), "-o", file("twice.kwd")}).status, 0);
        EXPECT_EQ(contents(folder / "twice.kwd"), contents(folder / "once.kwd"));
        // The tape switched on for a file: every line gets its register record from the replay.
        const Result tapeOn = tool({"keys", "--template", file(name), "--tape", "1", "{recalc}"});
        EXPECT_EQ(tapeOn.status, 0) << tapeOn.err;
        EXPECT_EQ(shown(tapeOn.out), shown(fresh));
    }
}

// A line of an early tape corrected in the middle follows on exactly as on the tape typed fresh:
// the lines read from the file and the lines keyed again share one record layout.
TEST_F(RecalcFilesTest, EarlyTapesCorrectLikeFreshOnes) {
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), kScript}).status, 0);
    write("v1.kwd", asEarlyVersion(contents(folder / "tape.kwd"), "1"));
    ASSERT_EQ(tool({"keys", "--template", file("v1.kwd"), "-o", file("saved.kwd"), ""}).status, 0);
    const std::string correction = "{row 2}{amount 9}+{row 6}{amount 3}*";
    const Result fresh = tool({"keys", std::string(kScript) + correction});
    for (const char* name : {"v1.kwd", "saved.kwd"}) {
        SCOPED_TRACE(name);
        const Result corrected = tool({"keys", "--template", file(name), correction});
        EXPECT_EQ(corrected.status, 0) << corrected.err;
        EXPECT_EQ(shown(corrected.out), shown(fresh.out));
        // The registers carried down (display, accumulator, count, operand, pending) agree.
        const auto registers = [](const std::string& rows) {
            std::vector<std::string> result;
            for (const std::string& row : split(rows, "\n"))
                if (row.find(':') != std::string::npos)
                    result.push_back(row.substr(row.find(':', row.rfind('\t'))));
            return result;
        };
        EXPECT_EQ(registers(corrected.out), registers(fresh.out));
    }
}

// Decimal comma tapes are read and recalculated with the separator given; read with the other
// one they are refused in place rather than multiplied.
TEST_F(RecalcFilesTest, DecimalSeparatorIsKept) {
    const Result keyed = tool({"keys", "--decsep", ",", "-o", file("c.kwd"), "1,5+2,25+T3*1,5="});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    const std::string saved = contents(folder / "c.kwd");
    const Result inPlace = tool({"recalc", "--decsep", ",", file("c.kwd")});
    EXPECT_EQ(inPlace.status, 0) << inPlace.err;
    EXPECT_EQ(tool({"show", "--decsep", ",", file("c.kwd")}).out, keyed.out);
    for (const std::string decSep : {".", ""}) {
        std::vector<std::string> args{"recalc", file("c.kwd")};
        if (!decSep.empty()) args.insert(args.begin() + 1, {"--decsep", decSep});
        const Result refused = tool(args);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("--decsep ,"), std::string::npos) << refused.err;
        EXPECT_EQ(contents(folder / "c.kwd"), saved);
    }
    ASSERT_EQ(tool({"keys", "-o", file("p.kwd"), "1.5+2.25+T"}).status, 0);
    EXPECT_EQ(tool({"recalc", "--decsep", ",", file("p.kwd")}).status, 1);
}

// A tape whose lines end in CR only reads as one damaged line: recalc says so and leaves it;
// -o still saves what was read. An unknown operator halts the replay: not written in place.
TEST_F(RecalcFilesTest, ProblemsLeaveTheFileAsItWas) {
    ASSERT_EQ(tool({"keys", "-o", file("tape.kwd"), "1+2+3+4+5+6+7+8+T"}).status, 0);
    std::string crOnly = contents(folder / "tape.kwd");
    for (size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    std::string unknown = contents(folder / "tape.kwd");
    unknown.replace(unknown.find("\t+\t", unknown.find("\r\n3\t")), 3, "\t?\t");
    for (const auto& [name, text] : {std::pair("cr.kwd", crOnly), std::pair("op.kwd", unknown)}) {
        SCOPED_TRACE(name);
        write(name, text);
        const Result refused = tool({"recalc", file(name)});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("left as it was"), std::string::npos) << refused.err;
        EXPECT_EQ(contents(folder / name), text);
        tool({"recalc", file(name), "-o", file("out.kwd")});
        EXPECT_TRUE(fs::exists(folder / "out.kwd"));
        fs::remove(folder / "out.kwd");
    }
    const Result keyed = tool({"keys", "--template", file("cr.kwd"), "-o", file("cr.kwd"), "1+"});
    EXPECT_EQ(keyed.status, 1);
    EXPECT_EQ(contents(folder / "cr.kwd"), crOnly);
}

// Without --decsep the tool follows the user's numeric locale, as the window does.
TEST_F(RecalcFilesTest, DefaultSeparatorFollowsTheLocale) {
    const std::string locales = (folder / "locales").string();
    fs::create_directories(locales);
    const std::string make =
        "localedef -i de_DE -f UTF-8 " + locales + "/de_DE.UTF-8 >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE here";
    const std::string run = "LOCPATH=" + locales + " LC_ALL=de_DE.UTF-8 " +
                            std::string(TALVEX_TAPE_EXE) + " keys '1,5+2,5+T' > " +
                            file("rows.txt") + " && LC_ALL=C " + std::string(TALVEX_TAPE_EXE) +
                            " keys '1,5+' >> " + file("rows.txt");
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(
        shown(contents(folder / "rows.txt")),
        (std::vector<std::string>{"|1,5|+", "|2,5|+", "TOTAL|4,|T", "||", "||", "|15.|+", "||"}));
}

}  // namespace
}  // namespace talvex
