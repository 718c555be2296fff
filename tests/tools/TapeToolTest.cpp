// The talvex-tape command line: rows on stdout, messages on stderr, exit status.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ToolRun.h"

namespace talvex {
namespace {

// The rows on stdout, the same from the installed program run through a shell as in process.
TEST(TapeToolTest, KeysPrintsDataRows) {
    const Result r = tool({"keys", "5+7+ST"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "1\t\t\t\t5.\t+\t\t5.:5:5|1:1:0\n"
              "2\t\t\t\t7.\t+\t\t7.:12:12|2:1:0\n"
              "3\t\t\tSubtotal\t12.\ts\t\t12.:12:12|2:1:0\n"
              "4\t\t\tTOTAL\t12.\tT\t\t12.:12:12|2:1:0\n"
              "5\t\t\t\t\t\t\t12.:12:0|0:1:0\n"
              "6\t\t\t\t\t\t\t12.:12:0|0:1:0\n");
    TempFolder folder;
    const auto shell = [&](const std::string& script) {
        const std::string command = std::string(TALVEX_TAPE_EXE) + " keys '" + script + "' >" +
                                    (folder / "out").string() + " 2>/dev/null";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(shell("5+7+ST"), 0);
    EXPECT_EQ(readFile(folder / "out"), r.out);
    EXPECT_EQ(shell("{oops"), 2);
}

// Keys the engine refused still print the rows, and the exit status says they were refused;
// a malformed command line or script prints nothing.
TEST(TapeToolTest, ExitStatusTellsWhatHappened) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;  // found on stderr
    } cases[] = {
        {{"keys", "--max-rows", "3", "1+2+3+4+"}, 1, "error: Table full\n"},
        {{"keys", "R7+"}, 1, "error: Invalid Reference\n"},
        {{"keys", std::string(400, '9') + "+"}, 1, "error: Overflow\n"},
        {{"keys", "--max-rows", "0", "1+"}, 2, "--max-rows needs at least 1"},
        {{"keys", "--decsep", ";", "1;5+"}, 2, "--decsep"},
        {{"keys", "-5+"}, 2, "unknown option -5+"},
        {{"keys", "--tape", "0", "--", "--tape"}, 0, ""},
        {{"keys", "--max-rows", "1", ""}, 0, ""},
        // Commands that need the window are refused; the rest of the script still runs.
        {{"keys", "5+{command Options}7+"}, 1, "error: {command Options} is not a command"},
        {{"keys", "5+{goto 7}"}, 1, "error: {goto 7} is not a command"},
        {{"keys", "5+{Enter"}, 2, ""},
        {{"keys", "{option a b}"}, 2, ""},
        {{"keys"}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back().substr(0, 20));
        const Result r = tool(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.empty(), c.status == 0) << r.err;
        EXPECT_EQ(r.out.empty(), c.status == 2) << "rows are printed unless the command is bad";
    }
}

// A message repeated at once is printed once and counted; a long script cannot flood stderr.
TEST(TapeToolTest, RepeatedMessagesAreCounted) {
    const Result full = tool({"keys", "--max-rows", "3", "-"}, "1+2+" + std::string(500, '+'));
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "error: Table full\nstatus: last message repeated 499 times\n");
    // Messages that take turns are each printed.
    const Result alternating = tool({"keys", "--max-rows", "2", "1+R7+R7+"});
    EXPECT_EQ(std::count(alternating.err.begin(), alternating.err.end(), '\n'), 6)
        << alternating.err;
}

// Options and commands the correction scenarios do not cover: count, amount and op of each row.
TEST(TapeToolTest, OptionsAndCommandsShapeTheTape) {
    const struct {
        std::vector<std::string> args;
        const char* rows;
    } cases[] = {
        {{"--tape", "0", "--thousands", "1", "1234+"}, "1,234.+;;"},
        {{"--decimal-mode", "3", "--places", "3", "--round", "0", "2.6789*1="},
         "2.6789x;1.=;2.678*;;;"},
        {{"--decsep", ",", "2,5+"}, "2,5+;;"},
        {{"--counts", "1", "--count-prefix", "n=", "S"}, "n=0 0.s;;"},
        {{"--starline", "0", "2*3="}, "2.x;3.=;6.*;;"},
        {{"5+{Enter}{Enter}{key 27}"}, "5.+;5.s;5.T;;;;"},
        {{"5{Esc}7{F9}56{Backspace}\n+"}, "c;5.+;;"},
        {{"5+7+{goto 0}{goto 2}{amount 1}{goto 3}S"}, "5.+;1.+;6.s;;"},
        {{"1+2+{option 1 3}{option 2 2}{recalc}"}, "1.00+;2.00+;;"},
        {{"12+{row 1}RR{goto 3}R1+"}, "12.+;12.+ ;;"},
        {{"5+W"}, "5.+;0.W;;;"},
        {{"5+TG"}, "5.+;5.T;;5.G;;;"},
        // After "--" the script is keyed as any other: "-5+" is a subtraction of nothing, then 5.
        {{"--", "-5+"}, "0.-;5.+;;"},
        // The window's commands by their ids, as its menus run them.
        {{"5+7+{command Goto0}{command Insert}3+{command ReCalc}"}, "3.+;5.+;7.+;;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::vector<std::string> args{"keys"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = tool(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::string rows;
        for (const auto& cells : printedCells(r.out))
            rows += cells[1] + (cells[1].empty() ? "" : " ") + cells[4] + cells[5] + ";";
        EXPECT_EQ(rows, c.rows);
    }
}

}  // namespace
}  // namespace talvex
