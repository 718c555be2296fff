// Corrections in the middle of a tape with talvex-tape: where the corrected tape has a meaning
// as keys, it equals those keys typed fresh, records included; otherwise its lines are given.
#include <gtest/gtest.h>

#include "ToolRun.h"

namespace talvex {
namespace {

struct Keyed {
    std::string rows;
    std::string lastError;
};

Keyed key(std::vector<std::string> options, const std::string& script) {
    options.insert(options.begin(), "keys");
    options.push_back(script);
    const Result run = tool(options);
    Keyed keyed{run.out, {}};
    for (const std::string& line : linesOf(run.err))
        if (line.starts_with("error: ")) keyed.lastError = line.substr(7);
    return keyed;
}

// `part` of the last error message, or no error at all when it is empty.
void expectError(const Keyed& keyed, const std::string& part) {
    EXPECT_TRUE(part.empty() ? keyed.lastError.empty()
                             : keyed.lastError.find(part) != std::string::npos)
        << keyed.lastError;
}

TEST(EditScenarioTest, CorrectionsEqualTheTapeKeyedFresh) {
    const struct {
        const char* name;
        std::string corrected, fresh;
        const char* error;  // part of the last error message, empty when none
        std::vector<std::string> options = {};
    } cases[] = {
        {"an emptied factor is 0", "5*7=T{row 2}{amount }{row 5}", "5*0=T", ""},
        {"a subtotal keyed on an entry goes above it", "5+7+{row 2}S", "5+S7+", ""},
        {"new group on a full tape",
         "{desc A}5+{desc A}3+T{group 0}1+2+{row 2}{desc B}",
         "{desc A}5+{desc A}3+T{group 0}1+2+",
         "Table full",
         {"--max-rows", "10"}},
        {"insert on a result line", "2*3=5+T{row 3}{insert}4+", "2*3=4+5+T", ""},
        {"insert on a trailer", "5+T7+{row 3}{insert}4+", "5+T4+7+", ""},
        {"insert on a group line", "{desc A}5+{desc B}3+T{group 0}{row 6}{insert}2+",
         "{desc A}5+{desc B}3+T2+{group 0}", ""},
        {"result taken from the display", "6*3=*2={row 1}{amount 7}*", "7*3=*2=", ""},
        {"entry repeated from the total", "5+T+{row 1}{amount 8}+", "8+T+", ""},
        {"mistyped reference on a line", "5+7+T{row 2}R9+", "5+7+T", "Invalid Reference"},
        {"mistyped reference on the open row", "5+R9+", "5+", "Invalid Reference"},
        {"a line using itself", "5+{row 1}RR{goto 3}R1+{row 1}{amount R1}+",
         "5+{row 1}RR{goto 3}R1+", "itself"},
        {"a source given a bad reference keeps its slot", "5+{row 1}RR{goto 3}{row 1}{amount R9}+",
         "5+{row 1}RR{goto 3}", "Invalid Reference"},
        {"a figure typed over a using line", "5+{row 1}RR{goto 3}R1+{row 2}{amount 7}+",
         "5+{row 1}RR{goto 3}7+", ""},
        {"Enter under a product", "5+3+2*3={Enter}T", "5+3+2*3=ST", ""},
        {"Enter under a total", "5+T{Enter}3+", "5+TC3+", ""},
        {"record separators typed over an amount", "5+3+{row 1}{amount 7:2|1}+{goto 3}T", "5+3+T",
         "only digits"},
        {"C after C on the open row", "CC", "C", "Duplicate Clear"},
        {"the last line deleted", "5+7+{row 2}{delete}1+S", "5+1+S", ""},
        {"a T deleted with its trailer", "5+T7+{row 2}{delete}", "5+7+", ""},
        {"a G deleted with its group lines", "5+T{group 1}{row 8}{delete}", "5+T", ""},
        {"computed lines are locked", "5+S2*3=T{row 2}4+{row 5}4+{row 6}4+{row 7}4+{row 8}4+",
         "5+S2*3=T", "Cannot Edit"},
        {"a source with users is not deleted", "5+7+T{row 3}RR{goto 3}R1+{row 3}{delete}",
         "5+7+T{row 3}RR{goto 3}R1+", "linked References"},
        {"a grand total whose group line is a source is not deleted",
         "{desc a}5+T{group 0}{row 4}RR{row 5}{delete}", "{desc a}5+T{group 0}{row 4}RR",
         "Subtotal References"},
        {"a source with links stays a source", "5+7+S{row 3}RR{goto 3}R1+{row 3}RR",
         "5+7+S{row 3}RR{goto 3}R1+", "existing Links"},
        {"a line made a source by scrolling to it", "5+7+TR{row 2}R+", "5+7+T{row 2}RR{goto 3}R1+",
         "Press valid operator"},
        {"a source picked by scrolling to it", "5+7+S{row 3}RR{goto 3}2*R{row 3}R=",
         "5+7+S{row 3}RR{goto 3}2*R1=", "Press valid operator"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Keyed corrected = key(c.options, c.corrected);
        EXPECT_EQ(corrected.rows, key(c.options, c.fresh).rows);
        expectError(corrected, c.error);
    }
}

// A line left with nothing to act on stays; the registers carry past it and later lines follow.
TEST(EditScenarioTest, LinesLeftWithoutMeaningStayAndTheRestFollows) {
    const struct {
        const char* name;
        std::string script;
        const char *lines, *error;
    } cases[] = {
        {"factor changed to +", "2*3=5+T{row 1}{amount 2}+", "2. +;3. =;6. *; ;5. +;7. T TOTAL; ;",
         "row 2: left as it is"},
        {"C before an =", "5+6*3=4+T{row 3}C", "5. +;6. x; c;3. =;18. *; ;4. +;4. T TOTAL; ;",
         "row 4: left as it is"},
        {"the x of a product deleted", "7+2*3=5+T{row 2}{delete}",
         "7. +;3. =;6. *; ;5. +;12. T TOTAL; ;", "row 2: left as it is"},
        {"two clears meet", "C5+C3+{row 2}{delete}", " c; c;3. +;", "row 2: left as it is"},
        {"the Group Totals label edited", "{desc A}5+{desc B}3+T{group 1}{row 7}{desc Sum}",
         "5. + A;3. + B;8. T TOTAL; ;5. g. A;3. g. B;8. t Sum;8. g+ + Items;0. g- - Items;8. G "
         "GRAND TOTAL; ;",
         ""},
        {"a pick follows its line", "5+R{row 1}{insert}+", " ;5. +;", "Invalid Reference"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Keyed keyed = key({}, c.script);
        EXPECT_EQ(tapeLines(keyed.rows), c.lines);
        expectError(keyed, c.error);
        // Recalculating the whole tape again reaches its end and changes nothing.
        const Keyed again = key({}, c.script + "{recalc}");
        EXPECT_EQ(again.rows, keyed.rows);
    }
}

}  // namespace
}  // namespace talvex
