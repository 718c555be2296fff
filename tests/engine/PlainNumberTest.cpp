// Figures as the tape shows them, written in the one notation spreadsheets read.
#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "engine/AmountText.h"
#include "engine/NumberFormat.h"

namespace talvex {
namespace {

const NumberSymbols kDot = NumberSymbols::forDecSep('.');
const NumberSymbols kComma = NumberSymbols::forDecSep(',');

TEST(PlainNumberTest, KeepsTheDigitsShownInOneNotation) {
    struct Row {
        std::string shown;
        NumberSymbols symbols;
        std::optional<std::string> plain;
    };
    const std::vector<Row> rows = {
        {"1,234.50", kDot, "1234.50"},
        {"1.234,50", kComma, "1234.50"},
        {"-765,5", kComma, "-765.5"},
        {"-1,234,567.8", kDot, "-1234567.8"},
        {"61.", kDot, "61"},
        {"2.000,", kComma, "2000"},
        {".5", kDot, "0.5"},
        {"  12.3 ", kDot, "12.3"},
        {"0.", kDot, "0"},
        // A separator where no grouping puts it is no thousands separator: the text stays text.
        {"1.5", kComma, std::nullopt},
        {"12,34.5", kDot, std::nullopt},
        {"1,2345", kDot, std::nullopt},
        {"1.234", kDot, "1.234"},
        {"", kDot, std::nullopt},
        {"-", kDot, std::nullopt},
        {".", kDot, std::nullopt},
        {"Overflow", kDot, std::nullopt},
        {"1 3/4", kDot, std::nullopt},
        {"R1", kDot, std::nullopt},
        {"12-", kDot, std::nullopt},
        {"1.2.3", kDot, std::nullopt},
        {"2026-12-07", kDot, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("\"" + row.shown + "\" with " + row.symbols.decSep);
        EXPECT_EQ(plainNumber(row.shown, row.symbols), row.plain);
    }
}

double parsed(const std::string& plain) {
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return value;
}

// Whatever the tape's options, the plain text is the number the tape itself reads back from
// what it shows.
TEST(PlainNumberTest, ReadsAsTheTapeReadsItsOwnFigures) {
    const std::vector<double> values = {0,        1234.5,    -765.5,         0.005,    -0.1,
                                        1e15 + 1, 123456.78, -9876543.21012, 2.675,    1.0 / 3,
                                        -1e-7,    42,        1000,           -1000000, 999.999};
    for (const NumberSymbols& symbols : {kDot, kComma})
        for (int mode : {0, 1, 2, 3})
            for (bool thousands : {false, true}) {
                NumberFormatter formatter(symbols);
                formatter.setOption(1, mode);
                formatter.setOption(2, 3);
                formatter.setOption(4, thousands);
                for (double value : values) {
                    const std::string shown = formatter.format(value);
                    SCOPED_TRACE(shown);
                    const auto plain = plainNumber(shown, symbols);
                    ASSERT_TRUE(plain);
                    EXPECT_EQ(parsed(*plain), formatter.read(shown));
                    EXPECT_EQ(plain->find(','), std::string::npos);
                }
            }
}

}  // namespace
}  // namespace talvex
