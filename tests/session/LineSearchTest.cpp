// Finding lines by their description or amount, forwards and backwards round the tape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../engine/TapeHarness.h"
#include "session/LineSearch.h"

namespace talvex {
namespace {

using testing::Tape;

// 1 Groceries 54.2, 2 Fuel 1,234.5, 3 groceries extra 12, 4 TOTAL 1,300.7, 5 the blank line
// after it, 6 the open row.
Tape household(char decSep) {
    Tape tape(decSep);
    tape.engine.setCalcOption(4, 1);
    const std::string sep(1, decSep);
    tape.describe("Groceries").run("54" + sep + "2+");
    tape.describe("Fuel").run("1234" + sep + "5+");
    tape.describe("groceries extra").run("12+T");
    return tape;
}

TEST(LineSearchTest, NextAndPreviousGoRoundTheTapeOnce) {
    const Tape tape = household('.');
    ASSERT_EQ(tape.amount(2), "1,234.5");
    ASSERT_EQ(tape.desc(4), "TOTAL");
    struct Row {
        std::string text;
        int from;
        SearchDirection direction;
        int found;
    };
    constexpr auto kNext = SearchDirection::forward;
    constexpr auto kPrevious = SearchDirection::backward;
    const std::vector<Row> rows = {
        {"groc", 1, kNext, 3},     {"groc", 3, kNext, 1},     {"GROC", 6, kNext, 1},
        {"groc", 1, kPrevious, 3}, {"groc", 3, kPrevious, 1}, {"groc", 6, kPrevious, 3},
        {"Fuel", 2, kNext, 2},     {"fuel", 2, kPrevious, 2}, {"total", 1, kNext, 4},
        {"1234.5", 1, kNext, 2},   {"1,234", 3, kNext, 2},    {"1300.7", 1, kPrevious, 4},
        {"54.20", 1, kNext, 0},    {"54.2", 2, kNext, 1},     {"12", 1, kNext, 2},
        {"12", 2, kNext, 3},       {"zucchini", 1, kNext, 0}, {"", 1, kNext, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " from " + std::to_string(row.from) +
                     (row.direction == kNext ? " forwards" : " backwards"));
        EXPECT_EQ(findLine(tape.engine, row.text, row.from, row.direction), row.found);
    }
}

// Where "," comes before the decimals, the plain number is typed with "," too.
TEST(LineSearchTest, AmountsOfACommaTapeByShownAndPlainNumber) {
    const Tape tape = household(',');
    ASSERT_EQ(tape.amount(2), "1.234,5");
    const struct {
        std::string text;
        int found;
    } rows[] = {{"1234,5", 2}, {"1.234", 2}, {"54,2", 1}, {"1300,7", 4}, {"1234.5", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(findLine(tape.engine, row.text, 6, SearchDirection::forward), row.found);
    }
}

TEST(LineSearchTest, HiddenLinesAreNotSearched) {
    Tape tape = household('.');
    tape.engine.hideRows(2);
    EXPECT_EQ(findLine(tape.engine, "fuel", 4, SearchDirection::forward), 0);
    EXPECT_EQ(findLine(tape.engine, "groc", 3, SearchDirection::forward), 3);
    EXPECT_TRUE(lineHolds(tape.engine, 2, "fuel"));
}

}  // namespace
}  // namespace talvex
