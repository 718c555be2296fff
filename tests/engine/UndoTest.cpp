// Undo and redo against the states the tape went through: every step taken back leaves the
// tape, the registers, the display, the references and the cursor exactly as they were before
// it, and every step made again leaves them as they were after it.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "TapeHarness.h"
#include "engine/KeyCodes.h"

namespace talvex::testing {
namespace {

// Everything a user could see of the calculator, and what a later key would build on.
std::string fingerprint(const Engine& engine) {
    std::string text =
        std::to_string(engine.state().lastRow) + "/" + std::to_string(engine.state().curRow) + "|" +
        engine.state().regs.displayValue + "|" + engine.state().entry.entryText + "|" +
        engine.state().entry.entryOp + "|" + (engine.state().modified ? "*" : "") + "\n";
    for (int row = 1; row <= engine.state().lastRow; ++row) {
        for (int col = 0; col <= engine.layout().colCount + 1; ++col)
            text.append(engine.cell(row, col)) += '\t';
        text += "\n";
    }
    const ReferenceRegistry& refs = engine.references();
    for (int n = 1; n < refs.boxCount(); ++n)
        text += refs.slot(n).shown + ":" + std::to_string(refs.slot(n).linkCount) + " ";
    return text;
}

struct Recorded {
    std::vector<std::string> before, after;
};

// One engine call; when it made a step, the states around it are written down.
void act(Tape& tape, Recorded& steps, const std::function<void()>& call) {
    const size_t position = tape.engine.history().position();
    const std::string before = fingerprint(tape.engine);
    call();
    const size_t now = tape.engine.history().position();
    ASSERT_LE(now, position + 1) << "one call, one step";
    if (now == position + 1) {
        steps.before.resize(position);
        steps.after.resize(position);
        steps.before.push_back(before);
        steps.after.push_back(fingerprint(tape.engine));
    }
}

// A random mix of what users do: lines keyed, amounts overtyped, descriptions, inserts,
// deletes, references, group totals and recalculations, some of them refused.
void randomOperation(Tape& tape, Recorded& steps, std::mt19937& random) {
    Engine& engine = tape.engine;
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const int lastRow = engine.state().lastRow;
    const std::string amount = std::to_string(1 + pick(90));
    const std::string keys = "+-*/=%STW";
    switch (pick(10)) {
        case 0:
        case 1:
            act(tape, steps, [&] { tape.run(amount); });
            act(tape, steps, [&] { tape.run(std::string(1, keys[pick(9)])); });
            break;
        case 2:
            act(tape, steps, [&] { engine.clickRow(1 + pick(lastRow)); });
            break;
        case 3:
            act(tape, steps, [&] { engine.editAmount(amount); });
            act(tape, steps, [&] { tape.run("+"); });
            break;
        case 4:
            act(tape, steps,
                [&] { engine.editCell(engine.layout().roles.description, "note " + amount); });
            break;
        case 5:
            act(tape, steps, [&] { engine.insertRow(); });
            break;
        case 6:
            act(tape, steps, [&] { engine.deleteRow(); });
            break;
        case 7:
            act(tape, steps, [&] { tape.run("R"); });
            act(tape, steps, [&] { tape.run(std::to_string(1 + pick(3)) + "+"); });
            break;
        case 8:
            engine.setGroupMode(pick(3));
            act(tape, steps, [&] { engine.keyFront(key::kGrandTotal); });
            break;
        default:
            act(tape, steps, [&] { engine.recalculate(1); });
            break;
    }
}

TEST(UndoTest, EveryStepGoesBackAndForwardExactly) {
    for (unsigned seed = 1; seed <= 120; ++seed) {
        std::mt19937 random(seed);
        Tape tape;
        Recorded steps;
        for (int op = 0; op < 40; ++op) randomOperation(tape, steps, random);
        Engine& engine = tape.engine;
        const size_t count = engine.history().position();
        ASSERT_EQ(steps.before.size(), count) << "seed " << seed;
        for (size_t k = count; k-- > 0;) {
            ASSERT_TRUE(engine.undo()) << "seed " << seed << " step " << k;
            ASSERT_EQ(fingerprint(engine), steps.before[k]) << "seed " << seed << " undo " << k;
        }
        EXPECT_FALSE(engine.undo());
        for (size_t k = 0; k < count; ++k) {
            ASSERT_TRUE(engine.redo()) << "seed " << seed << " step " << k;
            ASSERT_EQ(fingerprint(engine), steps.after[k]) << "seed " << seed << " redo " << k;
        }
        EXPECT_FALSE(engine.redo());
    }
}

// Undoing to where the tape was read leaves it unmodified; a new change after an undo ends
// the redo; a new tape has nothing to undo.
TEST(UndoTest, ModifiedFlagAndBranches) {
    Tape tape;
    tape.run("5+7+");
    tape.engine.setModified(false);
    tape.run("3+");
    EXPECT_TRUE(tape.engine.state().modified);
    ASSERT_TRUE(tape.engine.undo());
    EXPECT_FALSE(tape.engine.state().modified);
    ASSERT_TRUE(tape.engine.undo());
    EXPECT_TRUE(tape.engine.state().modified);
    EXPECT_EQ(tape.engine.state().regs.displayValue, "7") << "the entry before its operator";
    tape.run("`9+");
    EXPECT_FALSE(tape.engine.canRedo());
    EXPECT_EQ(tape.lines(), (std::vector<std::string>{"5. +", "9. +"}));
    tape.engine.setModified(false);
    tape.engine.setModified(true);  // the notes changed
    tape.run("4+");
    ASSERT_TRUE(tape.engine.undo());
    EXPECT_TRUE(tape.engine.state().modified) << "what the history does not hold stays unsaved";
    tape.engine.newTape();
    EXPECT_FALSE(tape.engine.canUndo());
}

// The history keeps to its budget by forgetting its oldest steps, never the newest.
TEST(UndoTest, BudgetForgetsOldestSteps) {
    Tape tape;
    tape.engine.history().setBudget(20000);
    for (int line = 0; line < 200; ++line) tape.run("1+");
    const size_t kept = tape.engine.history().size();
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, 200u);
    EXPECT_LE(tape.engine.history().bytes(), 20000u);
    while (tape.engine.undo()) {
    }
    EXPECT_EQ(tape.lines().size(), 200u - kept);
}

}  // namespace
}  // namespace talvex::testing
