// Register records, limits, the display and the entry being keyed.
#include <gtest/gtest.h>

#include "TapeHarness.h"
#include "engine/KeyCodes.h"

namespace talvex::testing {
namespace {

TEST(RegisterRecordTest, DamagedRecordsReadAsZero) {
    const NumberFormatter format;
    constexpr RecordLayout kRaw = RecordLayout::withRawEntry;
    const struct {
        const char* record;
        RecordLayout layout;
        const char* read;  // accumulator, count, operand, pending mode, display
    } cases[] = {
        {"", kRaw, "0 0 0 0 "},
        {"garbage", kRaw, "0 0 0 0 "},
        {"1.:2:abc|x:y:z", kRaw, "0 0 0 0 2"},
        {"5.:5:5|99999999999999:1:0", kRaw, "5 2147483647 1 0 5"},
        {"7:7|2:3:5", RecordLayout::withoutRawEntry, "7 2 3 5 7"},
        {"12.:12:12|1:1:0:1:extra", kRaw, "12 1 1 0 12"},
    };
    for (const auto& c : cases) {
        Registers r;
        readRegisterRecord(c.record, c.layout, format, r);
        EXPECT_EQ(format.plain(r.accumulator) + " " + std::to_string(r.itemCount) + " " +
                      format.plain(r.operand) + " " + std::to_string(r.pendingMode) + " " +
                      r.displayValue,
                  c.read)
            << c.record;
    }
}

// A full table, a row that does not exist and the reserved key leave tape and registers alone.
TEST(LimitsTest, RefusedRequestsLeaveTapeAndRegisters) {
    Tape tape;
    tape.engine.setMaxRows(4);
    tape.run("1+2+3+4+");
    EXPECT_EQ(tape.lines(), (std::vector<std::string>{"1. +", "2. +", "3. +"}));
    EXPECT_EQ(tape.lastError(), "Table full");
    for (int row : {0, -1, 5, 1000}) EXPECT_FALSE(tape.engine.clickRow(row)) << row;
    tape.engine.keyFront(key::kReserved);
    EXPECT_EQ(tape.engine.state().curRow, 4);
    EXPECT_EQ(tape.engine.state().lastRow, 4);
    EXPECT_EQ(tape.engine.state().regs.accumulator, 6.0);
    Tape total;
    total.engine.setMaxRows(3);
    total.run("1+T");
    EXPECT_EQ(total.lastError(), "Table full") << "a total needs room for its trailer";
    EXPECT_EQ(total.engine.state().lastRow, 2);
}

TEST(LimitsTest, RowsBeyondSixteenBits) {
    Tape tape;
    tape.engine.setMaxRows(40000);
    tape.run(std::string(33000, '+'));
    EXPECT_EQ(tape.engine.table().cell(33001, kLineNumberColumn), "33001");
    EXPECT_EQ(tape.engine.state().lastRow - 1, tape.engine.state().regs.itemCount);
}

TEST(DisplayTest, ShowsEntryAndResults) {
    const struct {
        const char *keys, *display;
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

TEST(EntryTest, ClearEntryAndBackspace) {
    Tape tape;
    tape.run("123");
    tape.engine.pressBackspace();
    EXPECT_EQ(tape.engine.state().entry.entryText, "12");
    tape.run("`");
    EXPECT_EQ(tape.engine.state().entry.entryText, "1") << "CE keeps backspacing until an operator";
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
    } cases[] = {{{0, 0, 5}, "5"},
                 {{1, 10, 5}, "1005"},
                 {{1, 11, 11, 5}, "1.5"},
                 {{10, 7}, "7"},
                 {{3, 28, 28, 1, 21, 4}, "3 1/4"},
                 {{5, 11, 0}, "5.0"}};
    for (const auto& c : cases) {
        Tape tape;
        for (int code : c.codes) tape.engine.keyFront(code);
        EXPECT_EQ(tape.engine.state().entry.entryText, c.entry);
    }
}

}  // namespace
}  // namespace talvex::testing
