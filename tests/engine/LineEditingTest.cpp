// Inserting, deleting and moving between lines. (Deletions that leave a tape the keys can
// give again are compared with those keys by the random edits and the correction scenarios.)
#include <gtest/gtest.h>

#include "TapeHarness.h"

namespace talvex::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(LineEditingTest, InsertRenumbers) {
    Tape tape;
    tape.run("5+7+");
    tape.engine.clickRow(1);
    ASSERT_TRUE(tape.engine.insertRow());
    EXPECT_EQ(tape.lines(), (Lines{" ", "5. +", "7. +"}));
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(tape.engine.table().cell(row, kLineNumberColumn), std::to_string(row));
    EXPECT_EQ(tape.record(1), ":0:0|0:1:0") << "the first line continues from cleared registers";
}

TEST(LineEditingTest, DeleteTakesDependentLines) {
    const struct {
        const char *name, *keys;
        int row;
        Lines after;
        bool starLine = true, tapeOn = true;
    } cases[] = {
        {"= takes its result and blank", "6*3=5+", 2, {"6. x", "5. +"}},
        {"a result line goes alone", "6*3=", 3, {"6. x", "3. =", " "}},
        {"with the tape off a T goes alone", "5+T", 2, {"5. +", " "}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tape tape;
        tape.engine.settings().starLine = c.starLine;
        tape.engine.setTapeOn(c.tapeOn);
        tape.run(c.keys);
        tape.engine.clickRow(c.row);
        ASSERT_TRUE(tape.engine.deleteRow());
        EXPECT_EQ(tape.lines(), c.after);
    }
}

TEST(LineEditingTest, GotoLine) {
    Tape tape;
    tape.run("5+7+9+");
    const struct {
        int from, index, to;
    } cases[] = {{3, 0, 1}, {2, 1, 1}, {1, 1, 1}, {2, 2, 3}, {4, 2, 4}, {1, 3, 4}, {2, 9, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " goto " << c.index);
        tape.engine.clickRow(c.from);
        tape.engine.gotoLine(static_cast<GotoTarget>(c.index));
        EXPECT_EQ(tape.engine.state().curRow, c.to);
    }
    tape.engine.gotoLine(GotoTarget::openRow);
    tape.run("1+");
    EXPECT_DOUBLE_EQ(tape.engine.state().regs.accumulator, 22.0) << "End of Tape is ready to key";
    tape.engine.hideRows(2);
    tape.engine.clickRow(4);
    tape.engine.gotoLine(GotoTarget::firstLine);
    EXPECT_EQ(tape.engine.state().curRow, 3) << "the first visible line";
}

TEST(ClipboardTest, CopyCutPaste) {
    struct FakeClipboard : ClipboardPort {
        void setText(const std::string& t, const std::string& l) override { text_ = t, link = l; }
        std::string text() const override { return text_; }
        std::string text_, link;
    } clipboard;
    Tape tape;
    tape.engine.setClipboard(clipboard);
    tape.run("5+7+S");
    tape.at(3, "RR");
    const int amount = tape.engine.layout().roles.amount,
              desc = tape.engine.layout().roles.description;
    tape.engine.copyCell(amount);
    EXPECT_EQ(clipboard.text_, "12.");
    EXPECT_EQ(clipboard.link, "Talvex|Vantp!Ref(1)");
    tape.engine.copyDisplay();
    EXPECT_EQ(clipboard.link, "Talvex|Vantp!Display");
    clipboard.text_ = "Food\tand\r\nfuel";
    tape.engine.clickRow(1);
    tape.engine.pasteCell(desc);
    EXPECT_EQ(tape.desc(1), "Food and  fuel") << "TAB, CR and LF never reach a cell";
    clipboard.text_ = "9";
    tape.engine.pasteCell(amount);
    tape.run("+");
    EXPECT_EQ(tape.amount(3), "16.") << "a pasted amount is an edit of the line";
    tape.engine.pasteCell(tape.engine.layout().roles.op);
    EXPECT_EQ(tape.op(1), "+") << "calculator columns are locked while the tape is on";
    clipboard.text_ = "4:1|2";
    tape.engine.pasteCell(amount);
    tape.run("+");
    EXPECT_EQ(tape.record(1), "9.:9:9|1:1:0") << "a record's separators are never pasted in";
    tape.engine.clickRow(2);
    tape.engine.cutCell(amount);
    EXPECT_EQ(clipboard.text_, "7.");
    tape.engine.gotoLine(GotoTarget::openRow);
    EXPECT_EQ(tape.amount(2), "0.") << "a cut amount is 0, not the line above repeated";
    EXPECT_EQ(tape.amount(3), "9.");
}

}  // namespace
}  // namespace talvex::testing
