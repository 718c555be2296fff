// Registers, register records, limits, the Enter rule and what the window is shown.
#include <gtest/gtest.h>

#include "TapeHarness.h"
#include "engine/KeyCodes.h"
#include "engine/KeyMap.h"

namespace talvex::testing {
namespace {

TEST(RegisterRecordTest, FreshTapeHasClearedRegisters) {
    Tape tape;
    EXPECT_EQ(tape.engine.lastRow(), 1);
    EXPECT_EQ(tape.engine.table().cell(1, kLineNumberColumn), "1");
    tape.run("5*");  // leaves an operand and a pending product behind
    tape.engine.selectRow(1);
    Tape fresh;
    ASSERT_TRUE(fresh.engine.getRegs(1));
    EXPECT_EQ(fresh.engine.registers().accumulator, 0.0);
    EXPECT_EQ(fresh.engine.registers().itemCount, 0);
    EXPECT_EQ(fresh.engine.registers().operand, 1.0);
    EXPECT_EQ(fresh.engine.registers().pendingMode, 0);
}

TEST(RegisterRecordTest, RecordTextAfterEachKind) {
    Tape tape;
    tape.run("12+0.5+0.25+S6*");
    EXPECT_EQ(tape.record(1), "12.:12:12|1:1:0");
    EXPECT_EQ(tape.record(3), "0.25:12.75:12.75|3:1:0");
    EXPECT_EQ(tape.record(4), "12.75:12.75:12.75|3:1:0");
    EXPECT_EQ(tape.record(5), "6.:6:12.75|3:6:3");
    EXPECT_EQ(tape.record(6), tape.record(5)) << "the open row carries the last line's registers";
}

TEST(RegisterRecordTest, GetRegsRestoresEveryLine) {
    Tape tape;
    tape.run("1/3=*7+2.5-T");
    for (int row = 1; row <= tape.engine.lastRow(); ++row) {
        SCOPED_TRACE(row);
        const std::string record = tape.record(row);
        ASSERT_TRUE(tape.engine.getRegs(row));
        Registers written = tape.engine.registers();
        written.rawEntry = recordField(record, 1);
        EXPECT_EQ(makeRegisterRecord(written, tape.engine.format()), record);
    }
    Tape product;
    product.run("0.1*3*");
    ASSERT_TRUE(product.engine.getRegs(2));
    EXPECT_EQ(product.engine.registers().operand, 0.1 * 3) << "operands are stored exactly";
}

TEST(RegisterRecordTest, DamagedRecordsReadAsZero) {
    const NumberFormatter format;
    const struct {
        const char* record;
        RecordLayout layout;
        double accumulator;
        int count;
        double operand;
        int pending;
        const char* display;
    } cases[] = {
        {"", RecordLayout::withRawEntry, 0, 0, 0, 0, ""},
        {"garbage", RecordLayout::withRawEntry, 0, 0, 0, 0, ""},
        {"1.:2:abc|x:y:z", RecordLayout::withRawEntry, 0, 0, 0, 0, "2"},
        {"5.:5:5|99999999999999:1:0", RecordLayout::withRawEntry, 5, 2147483647, 1, 0, "5"},
        {"7:7|2:3:5", RecordLayout::withoutRawEntry, 7, 2, 3, 5, "7"},
        {"12.:12:12|1:1:0:1:extra", RecordLayout::withRawEntry, 12, 1, 1, 0, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        Registers regs;
        readRegisterRecord(c.record, c.layout, format, regs);
        EXPECT_EQ(regs.accumulator, c.accumulator);
        EXPECT_EQ(regs.itemCount, c.count);
        EXPECT_EQ(regs.operand, c.operand);
        EXPECT_EQ(regs.pendingMode, c.pending);
        EXPECT_EQ(regs.displayValue, c.display);
    }
}

TEST(LimitsTest, TableFullLeavesTapeAndRegisters) {
    Tape tape;
    tape.engine.setMaxRows(4);
    tape.run("1+2+");
    const Registers before = tape.engine.registers();
    tape.run("3+");
    EXPECT_EQ(tape.lines(), (std::vector<std::string>{"1. +", "2. +", "3. +"}));
    tape.run("4+");
    EXPECT_EQ(tape.lastError(), "Table full");
    EXPECT_EQ(tape.engine.lastRow(), 4);
    EXPECT_EQ(tape.engine.registers().accumulator, 6.0);
    EXPECT_EQ(before.accumulator, 3.0);

    Tape total;
    total.engine.setMaxRows(3);
    total.run("1+T");
    EXPECT_EQ(total.lastError(), "Table full") << "a total needs room for its trailer";
    EXPECT_EQ(total.engine.lastRow(), 2);
}

TEST(LimitsTest, RegisterFetchOutOfBounds) {
    Tape tape;
    tape.run("5+");
    for (int row : {0, -1, 3, 1000}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(tape.engine.getRegs(row));
        EXPECT_EQ(tape.lastError(), "Register Fetch out of bounds");
        EXPECT_EQ(tape.engine.registers().accumulator, 5.0);
    }
}

TEST(LimitsTest, RowsBeyondSixteenBits) {
    Tape tape;
    tape.engine.setMaxRows(40000);
    for (int i = 0; i < 33000; ++i) tape.engine.keyChar('+');
    EXPECT_EQ(tape.engine.lastRow(), 33001);
    EXPECT_EQ(tape.engine.table().cell(33001, kLineNumberColumn), "33001");
    EXPECT_EQ(tape.engine.registers().itemCount, 33000);
}

TEST(EnterRuleTest, CharacterFromLineAbove) {
    const struct {
        bool hasEntry;
        const char* above;
        bool afterTotal;
        std::optional<char> expected;
    } cases[] = {
        {true, "x", false, '='},           {true, "/ ", false, '='},
        {true, "+", false, '+'},           {true, "", true, '+'},
        {false, "+", false, 'S'},          {false, "- ", false, 'S'},
        {false, "s", false, 'T'},          {false, "", true, 'C'},
        {false, "", false, 'S'},           {false, "*", false, 'S'},
        {false, "c", false, std::nullopt}, {false, "x", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.above) + (c.hasEntry ? " with entry" : "") +
                     (c.afterTotal ? " after a total" : ""));
        EXPECT_EQ(enterKeyChar(c.hasEntry, c.above, c.afterTotal), c.expected);
    }
}

// The keyboard characters whose key depends on the settings; the rest of the map is keyed by
// every other test of the engine.
TEST(KeyMapTest, SeparatorAndGroupKeysFollowTheSettings) {
    const struct {
        char c, decSep;
        std::optional<int> code;
        std::optional<int> groupMode;
    } cases[] = {
        {'.', '.', 11, {}}, {',', ',', 11, {}}, {'.', ',', 11, {}}, {',', '.', {}, {}},
        {'G', '.', 26, 2},  {'g', '.', 26, 0},  {'x', '.', {}, {}}, {'\t', '.', {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.c) + " with " + c.decSep);
        const auto mapped = mapKeyboardChar(c.c, c.decSep);
        EXPECT_EQ(mapped ? std::optional<int>(mapped->code) : std::nullopt, c.code);
        if (mapped) {
            EXPECT_EQ(mapped->groupMode, c.groupMode);
        }
    }
}

TEST(EnterRuleTest, EnterKeysAWholeTape) {
    Tape tape;
    tape.run("5+7\n\n\n\n\n");
    EXPECT_EQ(tape.lines(),
              (std::vector<std::string>{"5. +", "7. +", "12. s", "12. T", " ", " c"}));
    Tape product;
    product.run("6*5\n");
    EXPECT_EQ(product.lines(), (std::vector<std::string>{"6. x", "5. =", "30. *", " "}));
}

TEST(DisplayTest, ShowsEntryAndResults) {
    const struct {
        const char* keys;
        const char* display;
    } cases[] = {
        {"", "0."},      {"12", "12."},   {"12.", "12."},           {"1 3/", "1 3/"},
        {"5+7+", "12."}, {"6*3*", "18."}, {"1/3=", "0.3333333333"}, {"5+T", "5."},
        {"5+C", "0."},   {"100", "100."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Tape tape;
        tape.run(c.keys);
        EXPECT_EQ(tape.view.display, c.display);
    }
}

TEST(DisplayTest, ColourFollowsTapeSwitch) {
    Tape tape;
    tape.run("5");
    EXPECT_EQ(tape.view.displayColour, 17);
    tape.engine.setTapeOn(false);
    tape.run("5");
    EXPECT_EQ(tape.view.displayColour, 18);
}

TEST(DisplayTest, CellColoursByLineClass) {
    Tape tape;
    tape.run("5+S2*3=T C");
    const ColumnRoles& roles = tape.engine.roles();
    const struct {
        int row;
        int colour;
    } cases[] = {{1, -1}, {2, 21}, {3, -1}, {5, 23}, {6, -1}, {7, 22}, {9, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(tape.engine.cellColour(c.row, roles.amount), c.colour) << tape.op(c.row);
    }
}

TEST(EntryTest, ClearEntryAndBackspace) {
    Tape tape;
    tape.run("123");
    tape.engine.pressBackspace();
    EXPECT_EQ(tape.engine.entry().entryText, "12");
    tape.run("`");
    EXPECT_EQ(tape.engine.entry().entryText, "1") << "CE keeps backspacing until an operator";
    tape.run("+");
    EXPECT_EQ(tape.amount(1), "1.");
    tape.run("45.");
    tape.engine.pressBackspace();
    tape.run(".6+");
    EXPECT_EQ(tape.amount(2), "45.6") << "backspacing the separator allows it again";
    tape.run("78`9+");
    EXPECT_EQ(tape.amount(3), "9.") << "plain CE clears the entry";
}

TEST(EntryTest, DigitsBuildTheEntry) {
    const struct {
        std::vector<int> codes;
        const char* entry;
    } cases[] = {
        {{0, 0, 5}, "5"},
        {{1, 10, 5}, "1005"},
        {{1, 11, 11, 5}, "1.5"},
        {{10, 7}, "7"},
        {{3, 28, 28, 1, 21, 4}, "3 1/4"},
        {{5, 11, 0}, "5.0"},
    };
    for (const auto& c : cases) {
        Tape tape;
        for (int code : c.codes) tape.engine.keyFront(code);
        EXPECT_EQ(tape.engine.entry().entryText, c.entry);
    }
}

TEST(HideRowsTest, LineNumbersCountFromFirstVisibleRow) {
    Tape tape;
    tape.run("1+2+3+4+");
    tape.engine.hideRows(2);
    EXPECT_EQ(tape.engine.table().cell(2, kLineNumberColumn), "");
    EXPECT_EQ(tape.engine.table().cell(3, kLineNumberColumn), "1");
    EXPECT_EQ(tape.engine.table().cell(5, kLineNumberColumn), "3");
    EXPECT_EQ(tape.engine.curRow(), 3);
    tape.engine.hideRows(0);
    EXPECT_EQ(tape.engine.table().cell(2, kLineNumberColumn), "2");
}

TEST(KeyFrontTest, ReservedAndLockedLines) {
    Tape tape;
    tape.engine.keyFront(key::kReserved);
    EXPECT_EQ(tape.engine.lastRow(), 1);
    tape.run("5+S");
    tape.engine.selectRow(2);
    tape.run("7+");
    EXPECT_EQ(tape.lastError(), "Cannot Edit this Entry");
    EXPECT_EQ(tape.amount(2), "5.");
}

}  // namespace
}  // namespace talvex::testing
