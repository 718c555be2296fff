// Editing a line inside the tape and replaying the rest of it.
#include <gtest/gtest.h>

#include "TapeHarness.h"

namespace talvex::testing {
namespace {

using Lines = std::vector<std::string>;

// A line written by an add-in that is not loaded stops the run.
TEST(RecalculateTest, HaltsOnUnknownOperator) {
    Tape damaged;
    damaged.run("5+7+8+S");
    reloadWithCell(damaged.engine, 3, damaged.engine.layout().roles.op, "Q");
    damaged.amend(1, "6", "+");
    EXPECT_EQ(damaged.lastError(), "Recalculation halted at row 3");
    EXPECT_EQ(damaged.record(2), "7.:13:13|2:1:0") << "lines above the halt are recalculated";
    EXPECT_EQ(damaged.amount(4), "20.") << "lines from the halt on are left as they were";
}

// A cancelled run takes its edit back whole; run to the end it is the new figure keyed fresh.
TEST(RecalculateTest, CancelTakesTheEditBackWhole) {
    Tape tape;
    tape.engine.setMaxRows(10000);
    for (int i = 0; i < 1500; ++i) tape.run("2+S");
    const Lines before = tape.rows();
    tape.progress.cancel = true;
    tape.amend(1, "3", "+");
    ASSERT_FALSE(tape.progress.steps.empty());
    EXPECT_EQ(tape.progress.captions, std::vector<std::string>{"Recalculating the tape..."});
    EXPECT_EQ(tape.progress.ends, 1);
    EXPECT_EQ(tape.rows(), before);
    EXPECT_EQ(tape.lastError(), "Recalculation cancelled: the tape is as it was before");
    tape.engine.clickRow(5);
    EXPECT_EQ(tape.rows(), before) << "the cancelled figure is not keyed on leaving its line";
    tape.progress.cancel = false;
    tape.amend(1, "3", "+");
    EXPECT_EQ(tape.progress.ends, 2);
    EXPECT_EQ(tape.engine.state().curRow, 2) << "the cursor stays after the edited line";
    Tape fresh;
    fresh.engine.setMaxRows(10000);
    fresh.run("3+S");
    for (int i = 1; i < 1500; ++i) fresh.run("2+S");
    EXPECT_EQ(tape.rows(), fresh.rows());
}

}  // namespace
}  // namespace talvex::testing
