// An entry grows only as far as a double can hold it; the key past that is refused.
#include <gtest/gtest.h>

#include <cmath>

#include "TapeHarness.h"
#include "engine/KeyCodes.h"

namespace talvex::testing {
namespace {

TEST(EntryLimitTest, DigitsPastADoubleAreRefusedWithOverflow) {
    const struct {
        const char* name;
        std::string keys;
        size_t entryLength;  // the entry as it stands when the operator comes
    } cases[] = {
        // 1e308 fits, one more digit would not.
        {"whole digits", "1" + std::string(400, '0'), 309},
        {"double zeros", "9" + std::string(200, '\0'), 0},
        {"decimal places", "." + std::string(700, '1'), 634},
        {"leading zeros", std::string(400, '\0'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // '\0' stands for the "00" key, which the keyboard has no character for.
        Tape tape;
        for (char k : c.keys) {
            if (k == '\0')
                tape.engine.keyFront(key::kDoubleZero);
            else
                tape.engine.keyChar(k);
        }
        EXPECT_EQ(tape.lastError(), "Overflow");
        const std::string entry = tape.engine.entry().entryText;
        if (c.entryLength > 0) {
            EXPECT_EQ(entry.size(), c.entryLength);
        }
        EXPECT_LE(entry.size(), 634u);
        EXPECT_TRUE(std::isfinite(tape.engine.format().read(entry)));
        // What was kept is an ordinary entry: it adds, and the digit after an operator starts
        // afresh.
        tape.run("+5+");
        EXPECT_EQ(tape.op(2), "+");
        EXPECT_EQ(tape.amount(2), "5.");
    }
}

// A refused digit leaves what was keyed: the same number keyed without the extra digits gives
// the same line.
TEST(EntryLimitTest, RefusedDigitsLeaveTheEntryAsKeyed) {
    Tape longer, exact;
    longer.run(std::string(309, '1') + "11111+");
    exact.run(std::string(309, '1') + "+");
    EXPECT_EQ(longer.rows(), exact.rows());
    EXPECT_EQ(exact.lastError(), "");
}

}  // namespace
}  // namespace talvex::testing
