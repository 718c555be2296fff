#include "engine/NumberFormat.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace talvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const NumberSymbols kDot = NumberSymbols::forDecSep('.');
const NumberSymbols kComma = NumberSymbols::forDecSep(',');
const std::string kFloat = "###########0.##########", kTwo = "###########0.00";
const std::string kWhole = "###########0.", kGrouped = "###,###,###,##0.00";

NumberFormatter formatter(int mode, int places, bool round, NumberSymbols s = kDot) {
    NumberFormatter f(s);
    f.setOption(1, mode);
    f.setOption(2, places);
    f.setOption(3, round);
    return f;
}

TEST(FormatWithPatternTest, RoundsAndPlacesDigits) {
    struct Row {
        double v;
        std::string pattern, expected;
    };
    const std::vector<Row> computed = {{0.1 + 0.2, kFloat, "0.3"},
                                       {1.0 / 3, kFloat, "0.3333333333"},
                                       {-2.0 / 3, kFloat, "-0.6666666667"},
                                       {123456789012345678.0, kFloat, "123456789012346000"},
                                       {1234.5, "###,###,###,##0.0000", "1,234.5000"}};
    const std::vector<Row> narrow = {
        {2.675, kTwo, "2.68"},      {1.005, kTwo, "1.01"},
        {-2.5, kWhole, "-3."},      {0, kTwo, "0.00"},
        {-0.0, kFloat, "0"},        {-0.001, kTwo, "0.00"},
        {12.25, "###0", "12"},      {12.3, "0000.0#", "0012.3"},
        {12.3001, "0.0##", "12.3"}, {0.99999999999, kFloat, "1"},
    };
    const std::vector<Row> wide = {
        {999.9999999999999, kTwo, "1000.00"},           {5e-11, kFloat, "0.0000000001"},
        {1234567.891, kGrouped, "1,234,567.89"},        {-123456.7, kGrouped, "-123,456.70"},
        {1e20, "#,##0", "100,000,000,000,000,000,000"},
    };
    for (const auto* rows : {&computed, &narrow, &wide})
        for (const Row& r : *rows) {
            SCOPED_TRACE(::testing::Message() << r.v << " with " << r.pattern);
            EXPECT_EQ(formatWithPattern(r.v, r.pattern, kDot), r.expected);
        }
    EXPECT_EQ(formatWithPattern(1234567.891, kGrouped, kComma), "1.234.567,89");
    EXPECT_EQ(formatWithPattern(12, kWhole, kComma), "12,");
}

TEST(FormatWithPatternTest, ExtremesKeepEveryDigitOrShowOverflow) {
    const std::string big = formatWithPattern(std::numeric_limits<double>::max(), kFloat, kDot);
    EXPECT_EQ(big, "179769313486232" + std::string(294, '0'));
    EXPECT_EQ(formatWithPattern(5e-324, kTwo, kDot), "0.00");
    for (double v : {kInf, -kInf, std::nan("")}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(formatWithPattern(v, kTwo, kDot), kOverflowText);
        EXPECT_EQ(formatter(3, 2, false).format(v), kOverflowText);
        EXPECT_EQ(NumberFormatter().plain(v), kOverflowText);
        EXPECT_EQ(NumberFormatter().exact(v), kOverflowText);
    }
}

// Out-of-range switches read as on; option numbers that do not exist change nothing.
TEST(NumberFormatterTest, OptionsAreClampedAndBadIndexesRefused) {
    NumberFormatter f;
    EXPECT_TRUE(f.setOption(4, 7));
    EXPECT_TRUE(f.setOption(1, 2));
    EXPECT_TRUE(f.setOption(3, -2));
    EXPECT_EQ(f.format(1234.5), "1,235.");
    for (int bad : {-1, 5}) {
        EXPECT_FALSE(f.setOption(bad, 0));
        EXPECT_EQ(f.option(bad), -1);
    }
    EXPECT_EQ(f.format(1234.5), "1,235.");
}

TEST(NumberFormatterTest, FormatRoundsOrTruncates) {
    struct Row {
        int mode, places;
        bool round;
        double v;
        std::string expected;
    };
    const std::vector<Row> simple = {
        {3, 2, false, 2.679, "2.67"}, {3, 2, true, 2.679, "2.68"},   {2, 0, false, 12.5, "12."},
        {2, 0, true, 12.5, "13."},    {3, 2, false, 1.2399, "1.24"}, {3, 2, false, -0.009, "0.00"},
        {3, 0, false, -0.9, "0."},    {3, 2, false, -0.01, "-0.01"}, {0, 9, false, 3.14159, "3.14"},
        {3, -7, false, 12.5, "12."},
    };
    const std::vector<Row> computed = {{3, 15, false, 0.1, "0.1" + std::string(14, '0')},
                                       {1, 2, false, 2.0 / 3, "0.6666666667"},
                                       {3, 1000000, false, 0.5, "0.5" + std::string(14, '0')},
                                       {42, 2, false, 1.0 / 3, "0.3333333333"}};
    for (const auto* rows : {&simple, &computed})
        for (const Row& r : *rows) {
            SCOPED_TRACE(::testing::Message()
                         << r.mode << "/" << r.places << "/" << r.round << " " << r.v);
            EXPECT_EQ(formatter(r.mode, r.places, r.round).format(r.v), r.expected);
        }
    NumberFormatter grouped = formatter(3, 2, false, kComma);
    grouped.setOption(4, 1);
    EXPECT_EQ(grouped.format(-1234567.899), "-1.234.567,89");
}

TEST(NumberFormatterTest, PlainAndExactTexts) {
    const NumberFormatter f;
    const std::tuple<double, std::string, std::string> rows[] = {
        // value, plain, exact
        {0.1 + 0.2, "0.3", "0.30000000000000004"},
        {1.0 / 3, "0.333333333333333", ""},
        {12, "12", "12"},
        {-2.5, "-2.5", "-2.5"},
        {-0.0, "0", "0"},
        {1e20, "100000000000000000000", "100000000000000000000"},
        {-1e-20, "-0.00000000000000000001", ""},
        {0.9999999999999999, "1", ""},
        {5e-324, "", "0." + std::string(323, '0') + "5"},
    };
    for (const auto& [v, plain, exact] : rows) {
        SCOPED_TRACE(v);
        EXPECT_TRUE(plain.empty() || f.plain(v) == plain) << f.plain(v);
        EXPECT_TRUE(exact.empty() || f.exact(v) == exact) << f.exact(v);
    }
    EXPECT_EQ(NumberFormatter(kComma).plain(-1234.25), "-1234,25");
    EXPECT_EQ(NumberFormatter(kComma).exact(0.5), "0,5");
}

TEST(NumberFormatterTest, TextsReadBack) {
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 307);
    std::vector<double> values = {std::numeric_limits<double>::max(), 5e-324, 0.1};
    for (int i = 0; i < 4000; ++i) {
        const double v =
            i % 2 ? mantissa(rng) * std::pow(10.0, exponent(rng)) : std::bit_cast<double>(rng());
        if (std::isfinite(v)) values.push_back(i % 4 < 2 ? v : -v);
    }
    for (const NumberSymbols& s : {kDot, kComma}) {
        NumberFormatter f = formatter(3, 4, true, s);
        f.setOption(4, 1);
        for (double v : values) {
            SCOPED_TRACE(f.exact(v));
            EXPECT_EQ(f.read(f.exact(v)), v);
            // Grouped, rounded text loses nothing but the places it does not show.
            if (std::fabs(v) < 1e13) {
                EXPECT_NEAR(f.read(f.format(v)), v, 0.5e-4 + 1e-14 * std::fabs(v));
            }
        }
    }
}

// The significant digits and the power of ten of the first one, of a plain text or of printf's
// "%.14e" (which rounds the exact binary value), trailing zeros dropped.
std::pair<std::string, int> digitsOf(const std::string& text) {
    std::string digits;
    int exponent = 0, point = -1;
    const size_t e = text.find('e');
    for (size_t i = 0; i < std::min(e, text.size()); ++i) {
        if (text[i] == '.') point = static_cast<int>(digits.size());
        if (text[i] < '0' || text[i] > '9' || (digits.empty() && text[i] == '0')) {
            if (text[i] == '0' && point >= 0) --exponent;
            continue;
        }
        digits += text[i];
    }
    if (e != std::string::npos)
        return {digits.substr(0, digits.find_last_not_of('0') + 1), std::stoi(text.substr(e + 1))};
    const int whole = point >= 0 ? point : static_cast<int>(digits.size());
    exponent += whole > 0 ? whole - 1 : -1;
    return {digits.substr(0, digits.find_last_not_of('0') + 1), exponent};
}

// Running sums of cents carry binary noise in their 16th and 17th digits, and some values lie a
// hair either side of a 15th-digit boundary: each shows the 15 digits of its exact value.
TEST(NumberFormatterTest, PlainShowsTheFifteenDigitsOfTheExactValue) {
    std::mt19937_64 rng(15);
    std::vector<double> values;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        sum += static_cast<double>(rng() % 10000000) / 100;
        values.push_back(sum);
        values.push_back(std::bit_cast<double>(rng() & 0x7fefffffffffffffULL));
        const double tie = std::stod("1.23456789012345e" + std::to_string(i % 40 - 20)) + 0.0;
        const double boundary = std::stod(std::to_string(1 + rng() % 8) + ".0000000000000" +
                                          std::to_string(rng() % 10) + "5");
        for (double v :
             {tie, boundary, std::nextafter(boundary, 0.0), std::nextafter(boundary, 10.0)})
            values.push_back(v);
    }
    const NumberFormatter f;
    for (double v : values) {
        if (v == 0) continue;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.14e", v);
        SCOPED_TRACE(expected);
        ASSERT_EQ(digitsOf(f.plain(v)), digitsOf(expected));
    }
}

TEST(NumberFormatterTest, ReadTakesTheLeadingNumber) {
    using Rows = std::vector<std::pair<std::string, double>>;
    const Rows dot = {
        {"12.5abc", 12.5}, {"1 3/4", 1},     {".5", 0.5},          {"-", 0},
        {"", 0},           {"Overflow", 0},  {"1,234.50", 1234.5}, {" \t-7.25", -7.25},
        {"+3", 3},         {"-.5", -0.5},    {"1,2,3", 123},       {"1,,2", 1},
        {",5", 0},         {"12.3.4", 12.3}, {"1.5,000", 1.5},     {"--1", 0},
        {"\n1", 0},        {"1e5", 1},
    };
    const Rows comma = {{"1.234,5", 1234.5}, {",5", 0.5}, {"1,234.5", 1.234}, {".5", 0}};
    for (const auto& [symbols, rows] : {std::pair{kDot, &dot}, std::pair{kComma, &comma}})
        for (const auto& [text, expected] : *rows) {
            SCOPED_TRACE(text);
            EXPECT_EQ(NumberFormatter(symbols).read(text), expected);
        }
}

TEST(NumberFormatterTest, ReadSurvivesHugeAndLongTexts) {
    const NumberFormatter f;
    EXPECT_EQ(f.read(std::string(400, '9')), kInf);
    EXPECT_EQ(f.read("-" + std::string(400, '9')), -kInf);
    EXPECT_EQ(f.read("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(f.read("1" + std::string(308, '0')), 1e308);
    const size_t million = 1000000;
    EXPECT_EQ(f.read(std::string(million, '1')), kInf);
    EXPECT_EQ(f.read(std::string(million, ' ')), 0.0);
    EXPECT_EQ(f.read(std::string(million, '0') + "25"), 25.0);
    EXPECT_EQ(f.read("0." + std::string(million, '3')), 1.0 / 3);
}

}  // namespace
}  // namespace talvex
