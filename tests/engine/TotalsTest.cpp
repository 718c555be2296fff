// Totals: W, grand totals, group totals, labels and item counts.
#include <gtest/gtest.h>

#include "TapeHarness.h"

namespace talvex::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(TotalsTest, GrandTotalSumsTotalsAndCounts) {
    Tape tape;
    tape.engine.settings().countsOn = true;
    tape.run("5+7+T10+20+TG");
    EXPECT_EQ(tape.amount(9), "42.");
    EXPECT_EQ(tape.op(9), "G");
    EXPECT_EQ(tape.desc(9), "GRAND TOTAL");
    EXPECT_EQ(tape.engine.state().regs.groupCount, 4);
    EXPECT_EQ(tape.count(9), "4");
    tape.run("5+TG");
    EXPECT_EQ(tape.amount(14), "5.") << "a second grand total starts after the first";
    EXPECT_EQ(tape.op(14), "G");
    tape.run("3+");
    EXPECT_DOUBLE_EQ(tape.engine.state().regs.accumulator, 3.0) << "G clears the accumulator";
}

TEST(TotalsTest, TotalsReadThousandsSeparators) {
    Tape tape;
    tape.engine.setCalcOption(4, 1);
    tape.engine.settings().countsOn = true;
    tape.run("1234.5+T1000+TG");
    EXPECT_EQ(tape.amount(7), "2,234.5");
    tape.run("1500*2=1000*1=W");
    EXPECT_EQ(tape.amount(tape.engine.state().lastRow - 2), "4,000.");
}

// Lines 5 + Food, 3 + Fuel, 2 + Food, then T, then the group key.
Tape foodAndFuel(int mode) {
    Tape tape;
    tape.engine.settings().countsOn = true;
    tape.describe("Food").run("5+").describe("Fuel").run("3+").describe("Food").run("2+T");
    tape.engine.setGroupMode(mode);
    tape.engine.keyFront(26);
    return tape;
}

TEST(TotalsTest, GroupTotalsByDescription) {
    const struct {
        int mode;
        Lines lines;
    } cases[] = {
        {0, {"7. g|Food|2", "3. g|Fuel|1", "10. G|GRAND TOTAL|3", " |"}},
        {1,
         {"7. g.|Food|2", "3. g.|Fuel|1", "10. t|Group Totals|3", "10. g+|+ Items|3",
          "0. g-|- Items|0", "10. G|GRAND TOTAL|3", " |"}},
        {3, {"10. g+|+ Items|3", "0. g-|- Items|0", "10. G|GRAND TOTAL|3", " |"}},
        {2, {"10. G|GRAND TOTAL|3", " |"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Tape tape = foodAndFuel(c.mode);
        Lines lines;
        for (int row = 6; row < tape.engine.state().lastRow; ++row)
            lines.push_back(tape.amount(row) + " " + tape.op(row) + "|" + tape.desc(row) +
                            (tape.op(row).empty() ? "" : "|" + tape.count(row)));
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(TotalsTest, AtMostFiftyGroups) {
    Tape tape;
    tape.engine.setMaxRows(1000);
    for (int i = 0; i < 55; ++i) tape.describe("item " + std::to_string(i)).run("1+");
    tape.run("Tg");  // g: the group totals
    int groupLines = 0;
    for (int row = 1; row < tape.engine.state().lastRow; ++row) groupLines += tape.op(row) == "g";
    EXPECT_EQ(groupLines, 50);
    EXPECT_EQ(tape.amount(tape.engine.state().lastRow - 2), "55.");
}

}  // namespace
}  // namespace talvex::testing
