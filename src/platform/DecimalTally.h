#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace talvex {

// How many amounts show each number of decimals and each width of whole number, kept row by
// row, so the most of either is known again at once when a few rows change, rows come or
// rows go; a long tape is read through only when it is loaded or its columns change.
class DecimalTally {
  public:
    // rows empty rows, 1..rows.
    void reset(int rows);
    void set(int row, std::string_view amount, char decSep);
    // count empty rows before row; row may be one past the last.
    void insert(int row, int count);
    void remove(int row, int count);
    int rows() const { return static_cast<int>(shapes_.size()); }
    // 0 when no amount shows a decimal.
    int mostDecimals() const;
    int widestWhole() const;

  private:
    struct Shape {
        // One more than the decimals shown: 0 is an amount without a separator.
        std::uint16_t decimalsPlusOne = 0;
        std::uint16_t whole = 0;
    };
    void count(Shape shape, int step);
    static void tally(std::vector<int>& counts, std::uint16_t value, int step);

    std::vector<Shape> shapes_;
    std::vector<int> decimals_ = std::vector<int>(1, 0);
    std::vector<int> wholes_ = std::vector<int>(1, 0);
};

}  // namespace talvex
