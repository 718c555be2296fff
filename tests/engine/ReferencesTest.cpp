// References: making sources, using and freeing them, and the guards around them. (Picking a
// source by scrolling to it is compared with keying its slot by the correction scenarios.)
#include <gtest/gtest.h>

#include "TapeHarness.h"

namespace talvex::testing {
namespace {

// Lines 1 "5 +", 2 "7 +", 3 "12 s"; line 3 is then made reference source 1.
Tape tapeWithSource() {
    Tape tape;
    tape.run("5+7+S");
    tape.at(3, "RR");
    return tape;
}

TEST(ReferencesTest, RemovingSourcesAndLinks) {
    Tape tape = tapeWithSource();
    tape.engine.gotoLine(GotoTarget::openRow);
    tape.run("R1+");
    tape.at(4, "RR");  // Ref twice on the using line removes its link
    EXPECT_EQ(tape.ref(4), "");
    EXPECT_EQ(tape.op(4), "+") << "the line keeps its value and no longer follows";
    EXPECT_EQ(tape.engine.references().linkCount(1), 0);
    tape.at(3, "RR");
    EXPECT_EQ(tape.ref(3), "");
    EXPECT_EQ(tape.engine.references().linkCount(1), ReferenceRegistry::kFree);
    tape.amend(1, "6", "+");
    EXPECT_EQ(tape.amount(4), "12.") << "an unlinked line keeps the value it had";
    tape.at(2, "RR");
    EXPECT_EQ(tape.ref(2), "1") << "a freed slot is handed out again";
}

TEST(ReferencesTest, Messages) {
    const struct {
        const char* keys;
        std::string error;
    } cases[] = {
        {"R7+", "Invalid Reference"},
        {"R0+", "Invalid Reference"},
        {"R9", "R9 is not a valid reference"},
        {"R1S", "Clear, SubTotal or Totals cannot Reference other entries"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Tape tape = tapeWithSource();
        tape.engine.gotoLine(GotoTarget::openRow);
        tape.run(c.keys);
        EXPECT_EQ(tape.lastError(), c.error);
    }
    Tape blank;
    blank.run("5+T");
    blank.at(3, "RR");
    EXPECT_EQ(blank.lastError(), "Cannot make this entry a Reference");
    blank.engine.gotoLine(GotoTarget::openRow);
    blank.run("R`");
    EXPECT_EQ(blank.view.statuses.back().first, "Cancelling Reference");
    EXPECT_EQ(blank.engine.state().entry.refPickRow, 0);
}

TEST(ReferencesTest, SlotsWidenTheColumnAndStopAtFifty) {
    Tape tape;
    tape.engine.setMaxRows(200);
    tape.engine.setColumnWidth(tape.engine.layout().roles.reference, 1);
    for (int i = 1; i <= 51; ++i)
        tape.run(std::to_string(i) + "+").at(i, "RR").engine.gotoLine(GotoTarget::openRow);
    EXPECT_EQ(tape.ref(10), "10");
    EXPECT_EQ(tape.engine.layout().width(tape.engine.layout().roles.reference), 2);
    EXPECT_EQ(tape.ref(50), "50");
    EXPECT_EQ(tape.ref(51), "");
    EXPECT_EQ(tape.lastError(), "No more References available");
}

}  // namespace
}  // namespace talvex::testing
