// The memory keys through talvex-tape: a memory line replayed after an edit above it equals the
// tape keyed fresh with the new figure, a saved tape reads back the same, and tapes written
// before the memory kept anything on its lines stay as they were.
#include <gtest/gtest.h>

#include "ToolRun.h"

namespace talvex {
namespace {

// The Memory panel: button 1 M*, 2 M^, 3 M-, 4 M+.
const std::string kTotal = "{panel 1 1}";
const std::string kSubtotal = "{panel 1 2}";
const std::string kSubtract = "{panel 1 3}";
const std::string kAdd = "{panel 1 4}";

std::string rowsOf(const std::vector<std::string>& options, const std::string& script) {
    std::vector<std::string> args = {"keys"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(script);
    const Result run = tool(args);
    EXPECT_EQ(run.status, 0) << script << "\n" << run.err;
    return run.out;
}

struct Scenario {
    const char* name;
    // The keys with {A} where the figure that is edited afterwards is keyed.
    std::string keys;
    int editedRow;
    char editedOperator;  // pressed again to end the edit
    const char* before;
    const char* after;
    std::vector<std::string> options = {};
};

std::string withFigure(std::string keys, const std::string& figure) {
    keys.replace(keys.find("{A}"), 3, figure);
    return "{addin 1 Memory}" + keys;
}

const Scenario kScenarios[] = {
    {"M+ takes the subtotal from the display", "{A}+7+S" + kAdd + "2+" + kSubtotal, 1, '+', "5",
     "6"},
    {"M+ takes a running sum with nothing keyed", "5+{A}+" + kAdd + "1+" + kSubtotal + "+T", 2, '+',
     "7", "9.5"},
    {"keyed figures into memory and out again",
     "{A}+3" + kAdd + "2" + kSubtract + "T" + kAdd + kSubtotal, 1, '+', "10", "4"},
    {"a total empties the memory for the lines below",
     "{A}+S" + kAdd + kAdd + kTotal + "4+" + kSubtotal + kAdd + kTotal, 1, '+', "3", "8"},
    {"a recall taken as the next entry", "{A}*3=" + kAdd + kSubtotal + "+" + kSubtotal + "+T", 1,
     '*', "2", "5"},
    {"an edit between memory lines", "2" + kAdd + "{A}+S" + kAdd + kSubtotal, 2, '+', "5", "1"},
    {"the memory ridden past a total with its blank line",
     "{A}+T" + kAdd + "1+2+T" + kSubtotal + kSubtract + kSubtotal, 1, '+', "4", "40"},
    {"decimal comma",
     "{A}+2,5" + kAdd + "S" + kAdd + kSubtotal,
     1,
     '+',
     "1,25",
     "3,5",
     {"--decsep", ","}},
    {"fixed places",
     "{A}+S" + kAdd + "3" + kSubtract + kSubtotal,
     1,
     '+',
     "1.005",
     "2.125",
     {"--decimal-mode", "3", "--places", "2"}},
};

TEST(MemoryScenarioTest, AnEditAboveMemoryLinesEqualsTheTapeKeyedFresh) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.name);
        const std::string edited = withFigure(s.keys, s.before) + "{row " +
                                   std::to_string(s.editedRow) + "}{amount " + s.after + "}" +
                                   s.editedOperator;
        const std::string fresh = rowsOf(s.options, withFigure(s.keys, s.after));
        EXPECT_EQ(rowsOf(s.options, edited), fresh);
        // The edit changes the memory lines: the comparison is not between two equal tapes.
        EXPECT_NE(rowsOf(s.options, withFigure(s.keys, s.before)), fresh);
    }
}

TEST(MemoryScenarioTest, MemoryFiguresFollowTheKeys) {
    const struct {
        const char* name;
        std::string keys;
        const char* lines;
    } cases[] = {
        {"add, subtract, recall", "5+7+S" + kAdd + "3" + kAdd + "2" + kSubtract + kSubtotal,
         "5. +;7. +;12. s Subtotal;12. M Memory +;3. M Memory +;2. K Memory -;"
         "13. H Memory Subtotal;"},
        {"a total recall empties it", "4" + kAdd + kTotal + kSubtotal,
         "4. M Memory +;4. V Memory Total;0. H Memory Subtotal;"},
        {"a recall is the next entry", "6" + kAdd + "1+" + kSubtotal + "+",
         "6. M Memory +;1. +;6. H Memory Subtotal;6. +;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tapeLines(rowsOf({}, "{addin 1 Memory}" + c.keys)), c.lines);
    }
}

TEST(MemoryScenarioTest, MovingOntoALineBringsBackItsMemory) {
    // On line 3 the memory held 5; M^ keyed at the end recalls the memory of the end, 8.
    const std::string keys =
        "{addin 1 Memory}5" + kAdd + "1+3" + kAdd + "{row 2}{goto 3}" + kSubtotal;
    EXPECT_EQ(tapeLines(rowsOf({}, keys)),
              "5. M Memory +;1. +;3. M Memory +;8. H Memory Subtotal;");
}

TEST(MemoryScenarioTest, ASavedTapeReadsBackAndRecalculatesTheSame) {
    TempFolder folder;
    const std::string path = (folder / "memory.kwd").string();
    const std::string keys = "{addin 1 Memory}5+7+S" + kAdd + "3" + kSubtract + kSubtotal + "T";
    const Result keyed = tool({"keys", "-o", path, keys});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_EQ(tool({"show", path}).out, keyed.out);
    const std::string again = (folder / "again.kwd").string();
    ASSERT_EQ(tool({"recalc", path, "-o", again}).status, 0);
    EXPECT_EQ(readFile(again), readFile(path));
}

// The shipped tapes were written before the memory kept anything on its lines: with the
// memory chosen they recalculate to the rows they hold, and memory lines keyed below them
// start from an empty memory.
TEST(MemoryScenarioTest, OlderTapesRecalculateUnchanged) {
    for (const char* name : {"Household.kwd", "Invoice.kwd", "Loan.kwd", "Readme45.kwd"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TALVEX_DATA_DIR) + "/" + name;
        const std::string shown = tool({"show", path}).out;
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(rowsOf({"--template", path}, "{addin 1 Memory}{recalc}"), shown);
        const std::string recalled =
            rowsOf({"--template", path}, "{addin 1 Memory}{goto 3}" + kSubtotal + "{recalc}");
        const std::string added = tapeLines(recalled).substr(tapeLines(shown).size());
        EXPECT_TRUE(added == "0. H Memory Subtotal;" || added == "0.00 H Memory Subtotal;")
            << added;
    }
}

}  // namespace
}  // namespace talvex
