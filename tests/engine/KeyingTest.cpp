// Keying at the end of the tape: the lines each key sequence writes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "TapeHarness.h"
#include "engine/KeyCodes.h"

namespace talvex::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(KeyingTest, LinesEachKeyWrites) {
    const struct {
        const char *name, *keys;
        Lines lines;
        bool starLine = true;
        int decimalMode = 1;
        bool tapeOn = true;
    } cases[] = {
        {"plain additions", "5+7+", {"5. +", "7. +"}},
        {"subtraction", "10+3-", {"10. +", "3. -"}},
        {"add mode reads hundredths", "1234+", {"12.34 +"}, true, 0},
        {"add mode single digit", "5+", {"0.05 +"}, true, 0},
        {"add mode keyed point", "5.+", {"5.00 +"}, true, 0},
        {"add mode does not touch products", "12*3=", {"12. x", "3. =", "36.00 *", " "}, true, 0},
        {"repeat with tape off", "7++", {"7. +", "7. +"}, true, 1, false},
        {"repeat in add mode keeps hundredths", "1234++", {"12.34 +", "12.34 +"}, true, 0},
        {"fraction", "1 3/4+", {"1.75 +"}},
        {"fraction without bar reads tenths", "2 5+", {"2.5 +"}},
        {"fraction without whole part", " 1/2+", {"0.5 +"}},
        {"a comma is no separator on a dot tape", "1,5+", {"15. +"}},
        {"chained product without star line", "6*3*2=", {"6. x", "3. x", "2. =", "36. *"}, false},
        {"divisor stays for the next =",
         "100/4=8=",
         {"100. /", "4. =", "25. *", " ", "8. =", "2. *", " "}},
        {"percent", "200*15%", {"200. x", "15. %", "30. *", " "}},
        {"chained divide", "100/4/5=", {"100. /", "4. /", "5. =", "5. *", " "}},
        {"divide then multiply", "100/4*3=", {"100. /", "4. x", "3. =", "75. *", " "}},
        {"division by zero gives 0", "5/0=", {"5. /", "0. =", "0. *", " "}},
        {"= without x or / does nothing", "5=", {}},
        {"fraction factor keeps its text", "1 1/2*2=", {"1 1/2 x", "2. =", "3. *", " "}},
        {"W sums the products without star lines",
         "6*3=2*2=W",
         {"6. x", "3. =", "18. *", "2. x", "2. =", "4. *", "22. W", " "},
         false},
        {"W sums since the last W, a second at once 0",
         "2*3=T4*5=WW",
         {"2. x", "3. =", "6. *", " ", "0. T", " ", "4. x", "5. =", "20. *", " ", "26. W", " ",
          "0. W", " "}},
        {"subtotal and total", "5+7+ST", {"5. +", "7. +", "12. s", "12. T", " "}},
        {"total clears the accumulator", "5+T3+S", {"5. +", "5. T", " ", "3. +", "3. s"}},
        {"subtotal on a fresh tape", "S", {"0. s"}},
        {"clear twice writes one line", "5+CC", {"5. +", " c"}},
        {"clear resets the registers", "5+C3+S", {"5. +", " c", "3. +", "3. s"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tape tape;
        tape.engine.settings().starLine = c.starLine;
        tape.engine.setCalcOption(1, c.decimalMode);
        tape.engine.setTapeOn(c.tapeOn);
        tape.run(c.keys);
        EXPECT_EQ(tape.lines(), c.lines);
    }
}

// Counts restart after a total, follow the counts key and carry their prefix; the automatic
// labels never replace a typed description.
TEST(KeyingTest, AutomaticLabelsAndCounts) {
    Tape tape;
    tape.engine.settings().countPrefix = "n=";
    tape.run("#");
    EXPECT_TRUE(tape.engine.settings().countsOn);
    EXPECT_EQ(tape.view.shownColumns, std::vector<int>{tape.engine.layout().roles.itemCount});
    tape.run("5+7+ST3+S#T4+").describe("Week 1").run("T");
    const struct {
        int row;
        const char *desc, *count;
    } lines[] = {{1, "", ""},       {3, "Subtotal", "n=2"}, {4, "TOTAL", "n=2"},
                 {5, "", ""},       {7, "Subtotal", "n=1"}, {8, "TOTAL", ""},
                 {11, "Week 1", ""}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.row);
        EXPECT_EQ(tape.desc(line.row), line.desc);
        EXPECT_EQ(tape.count(line.row), line.count);
    }
}

TEST(KeyingTest, DecimalModesRoundTruncateAndThousands) {
    const struct {
        const char* keys;
        std::array<int, 4> options;  // decimal mode, places, round, thousands
        const char* shown;           // the result line's amount and the display
    } cases[] = {
        {"7/2=", {2, 0, 0, 0}, "3."},           {"7/2=", {2, 0, 1, 0}, "4."},
        {"2.679*1=", {3, 2, 1, 0}, "2.68"},     {"1234.5*1=", {3, 4, 1, 1}, "1,234.5000"},
        {"2/3=", {1, 2, 1, 0}, "0.6666666667"}, {"1234567*1=", {0, 2, 1, 1}, "1,234,567.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Tape tape;
        for (int i = 0; i < 4; ++i) tape.engine.setCalcOption(i + 1, c.options[size_t(i)]);
        tape.run(c.keys);
        EXPECT_EQ(tape.amount(3), c.shown);
        EXPECT_EQ(tape.view.display, c.shown);
    }
}

TEST(KeyingTest, NumbersTooLargeToShowAreRefused) {
    const std::string huge = "9" + std::string(307, '0');
    const std::string tooLong(400, '9');
    const struct {
        const char* name;
        std::string before;
        std::string refused;
    } cases[] = {
        {"sum", huge + "+", huge + "+"},
        {"product", huge + "*", huge + "="},
        {"factor", huge + "*", huge + "*"},
        {"fraction", "", "1 " + tooLong + "/3+"},
        {"grand total", huge + "+T" + huge + "+T", "G"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tape tape;
        tape.run(c.before);
        const auto before = tape.rows();
        tape.run(c.refused);
        EXPECT_EQ(tape.lastError(), "Overflow");
        EXPECT_EQ(tape.rows(), before) << "nothing is written";
    }
    Tape fraction;  // a numerator past 64 bits that a double still holds is taken
    fraction.run("1 99999999999999999999/3+");
    EXPECT_EQ(fraction.view.display, "33333333333333300000.");
}

// An entry grows only as far as a double can hold it; the key past that is refused.
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
        const std::string entry = tape.engine.state().entry.entryText;
        if (c.entryLength > 0) {
            EXPECT_EQ(entry.size(), c.entryLength);
        }
        EXPECT_LE(entry.size(), 634u);
        EXPECT_TRUE(std::isfinite(tape.engine.format().read(entry)));
        // What was kept is an ordinary entry; the digit after an operator starts afresh.
        tape.run("+5+");
        EXPECT_EQ(tape.op(2), "+");
        EXPECT_EQ(tape.amount(2), "5.");
    }
    // A refused digit leaves what was keyed: the same number without the extra digits.
    Tape longer, exact;
    longer.run(std::string(309, '1') + "11111+");
    exact.run(std::string(309, '1') + "+");
    EXPECT_EQ(longer.rows(), exact.rows());
}

}  // namespace
}  // namespace talvex::testing
