// Inserting, deleting and moving between lines.
#include <gtest/gtest.h>

#include "TapeHarness.h"

namespace talvex::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(LineEditingTest, InsertRenumbersAndContinuesFromAbove) {
    Tape tape;
    tape.run("5+7+");
    tape.engine.clickRow(1);
    ASSERT_TRUE(tape.engine.insertRow());
    EXPECT_EQ(tape.lines(), (Lines{" ", "5. +", "7. +"}));
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(tape.engine.table().cell(row, kLineNumberColumn), std::to_string(row));
    EXPECT_EQ(tape.record(1), ":0:0|0:1:0") << "the first line continues from cleared registers";
    tape.run("3+");
    EXPECT_EQ(tape.lines(), (Lines{"3. +", "5. +", "7. +"}));
    tape.engine.gotoLine(3);
    tape.run("S");
    EXPECT_EQ(tape.amount(4), "15.");
}

TEST(LineEditingTest, DeleteTakesDependentLines) {
    const struct {
        const char* name;
        const char* keys;
        int row;
        Lines after;
        bool starLine = true;
    } cases[] = {
        {"= takes its result and blank", "6*3=5+", 2, {"6. x", "5. +"}},
        {"= without star line", "6*3=5+", 2, {"6. x", "5. +"}, false},
        {"T takes its trailer", "5+T7+", 2, {"5. +", "7. +"}},
        {"+ updates later totals", "5+7+S3+T", 2, {"5. +", "5. s", "3. +", "8. T", " "}},
        {"G takes its group lines", "5+T{G", 8, {"5. +", "5. T", " "}},
        {"a result line goes alone", "6*3=", 3, {"6. x", "3. =", " "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tape tape;
        tape.engine.settings().starLine = c.starLine;
        std::string keys = c.keys;
        const size_t brace = keys.find('{');
        tape.run(keys.substr(0, brace));
        if (brace != std::string::npos) {
            tape.engine.setGroupMode(1);
            tape.engine.keyFront(26);
        }
        tape.engine.clickRow(c.row);
        ASSERT_TRUE(tape.engine.deleteRow());
        EXPECT_EQ(tape.lines(), c.after);
    }
}

TEST(LineEditingTest, DeleteAtTheEndLeavesOpenRowWithLastRegisters) {
    Tape tape;
    tape.run("5+7+");
    tape.engine.clickRow(2);
    ASSERT_TRUE(tape.engine.deleteRow());
    EXPECT_EQ(tape.engine.lastRow(), 2);
    EXPECT_EQ(tape.record(2), tape.record(1));
    tape.run("1+");
    EXPECT_DOUBLE_EQ(tape.engine.registers().accumulator, 6.0);
}

TEST(LineEditingTest, DeleteGuards) {
    Tape tape;
    tape.run("5+7+T");
    tape.at(3, "RR");
    tape.engine.gotoLine(3);
    tape.run("R1+");
    tape.engine.clickRow(3);
    EXPECT_FALSE(tape.engine.deleteRow());
    EXPECT_EQ(tape.lastError(), "Cannot delete entry.  Has linked References");
    EXPECT_EQ(tape.lines(), (Lines{"5. +", "7. +", "12. T", " ", "12. + "}));

    Tape grand;
    grand.describe("a").run("5+T");
    grand.engine.setGroupMode(0);
    grand.engine.keyFront(26);
    grand.at(4, "RR");  // the group line becomes a source
    grand.engine.clickRow(5);
    EXPECT_FALSE(grand.engine.deleteRow());
    EXPECT_EQ(grand.lastError(), "Cannot delete GrandTotal.  Has Subtotal References");

    Tape freed;
    freed.run("5+7+T");
    freed.at(3, "RR");
    ASSERT_TRUE(freed.engine.deleteRow());
    EXPECT_EQ(freed.view.statuses.back().first,
              "Source reference successfully removed prior to deletion");
    EXPECT_EQ(freed.engine.references().linkCount(1), ReferenceRegistry::kFree);
}

TEST(LineEditingTest, TapeOffDeletesExactlyOneLine) {
    Tape tape;
    tape.engine.setTapeOn(false);
    tape.run("5+T");
    tape.engine.clickRow(2);
    ASSERT_TRUE(tape.engine.deleteRow());
    EXPECT_EQ(tape.lines(), (Lines{"5. +", " "}));
}

TEST(LineEditingTest, TableFullOnInsert) {
    Tape tape;
    tape.engine.setMaxRows(3);
    tape.run("1+2+");
    tape.engine.clickRow(1);
    EXPECT_FALSE(tape.engine.insertRow());
    EXPECT_EQ(tape.lastError(), "Table Full");
    EXPECT_EQ(tape.lines(), (Lines{"1. +", "2. +"}));
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
        tape.engine.gotoLine(c.index);
        EXPECT_EQ(tape.engine.curRow(), c.to);
    }
    tape.engine.gotoLine(3);
    tape.run("1+");
    EXPECT_DOUBLE_EQ(tape.engine.registers().accumulator, 22.0) << "End of Tape is ready to key";
    tape.engine.hideRows(2);
    tape.engine.clickRow(4);
    tape.engine.gotoLine(0);
    EXPECT_EQ(tape.engine.curRow(), 3) << "the first visible line";
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
    const int amount = tape.engine.roles().amount, desc = tape.engine.roles().description;
    tape.engine.copyCell(amount);
    EXPECT_EQ(clipboard.text_, "12.");
    EXPECT_EQ(clipboard.link, "Talvex|Vantp!Ref(1)");
    tape.engine.copyDisplay();
    EXPECT_EQ(clipboard.link, "Talvex|Vantp!Display");

    clipboard.text_ = "Food\tand\r\nfuel";
    tape.engine.clickRow(1);
    tape.engine.pasteCell(desc);
    EXPECT_EQ(tape.desc(1), "Food and  fuel") << "TAB, CR and LF never reach a cell";
    tape.engine.cutCell(desc);
    EXPECT_EQ(clipboard.text_, "Food and  fuel");
    EXPECT_EQ(tape.desc(1), "");

    clipboard.text_ = "9";
    tape.engine.pasteCell(amount);
    tape.run("+");
    EXPECT_EQ(tape.amount(3), "16.") << "a pasted amount is an edit of the line";
    tape.engine.pasteCell(tape.engine.roles().op);
    EXPECT_EQ(tape.op(1), "+") << "calculator columns are locked while the tape is on";

    clipboard.text_ = "4:1|2";
    EXPECT_FALSE(tape.engine.editCell(amount, clipboard.text_));
    tape.engine.pasteCell(amount);
    tape.run("+");
    EXPECT_EQ(tape.record(1), "9.:9:9|1:1:0") << "a record's separators are never pasted in";

    tape.engine.clickRow(2);
    tape.engine.cutCell(amount);
    EXPECT_EQ(clipboard.text_, "7.");
    tape.engine.gotoLine(3);
    EXPECT_EQ(tape.amount(2), "0.") << "a cut amount is 0, not the line above repeated";
    EXPECT_EQ(tape.amount(3), "9.");
}

}  // namespace
}  // namespace talvex::testing
