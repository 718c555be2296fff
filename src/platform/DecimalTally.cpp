#include "platform/DecimalTally.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "platform/DecimalAlignment.h"

namespace talvex {

namespace {

std::uint16_t clamped(std::size_t value) {
    return static_cast<std::uint16_t>(
        std::min<std::size_t>(value, std::numeric_limits<std::uint16_t>::max()));
}

}  // namespace

void DecimalTally::reset(int rows) {
    shapes_.assign(static_cast<std::size_t>(std::max(rows, 0)), Shape{});
    decimals_.assign(1, rows);
    wholes_.assign(1, rows);
}

// The counts end at the highest value still shown, so the most is always the last one.
void DecimalTally::tally(std::vector<int>& counts, std::uint16_t value, int step) {
    if (value >= counts.size()) counts.resize(value + std::size_t{1}, 0);
    counts[value] += step;
    while (counts.size() > 1 && counts.back() == 0) counts.pop_back();
}

void DecimalTally::count(Shape shape, int step) {
    tally(decimals_, shape.decimalsPlusOne, step);
    tally(wholes_, shape.whole, step);
}

void DecimalTally::set(int row, std::string_view amount, char decSep) {
    if (row < 1 || row > rows()) return;
    Shape& shape = shapes_[static_cast<std::size_t>(row - 1)];
    count(shape, -1);
    shape.decimalsPlusOne = clamped(static_cast<std::size_t>(decimalsShown(amount, decSep) + 1));
    shape.whole = clamped(std::min(amount.find(decSep), amount.size()));
    count(shape, 1);
}

void DecimalTally::insert(int row, int count) {
    if (row < 1 || row > rows() + 1 || count <= 0) return;
    shapes_.insert(shapes_.begin() + (row - 1), static_cast<std::size_t>(count), Shape{});
    decimals_[0] += count;
    wholes_[0] += count;
}

void DecimalTally::remove(int row, int count) {
    if (row < 1 || row > rows()) return;
    count = std::min(count, rows() - row + 1);
    if (count <= 0) return;
    const auto first = shapes_.begin() + (row - 1);
    for (auto it = first; it != first + count; ++it) this->count(*it, -1);
    shapes_.erase(first, first + count);
}

int DecimalTally::mostDecimals() const {
    return std::max(0, static_cast<int>(decimals_.size()) - 2);
}

int DecimalTally::widestWhole() const {
    return static_cast<int>(wholes_.size()) - 1;
}

}  // namespace talvex
