// A row's cells in one block against the same changes made to a list of strings: growing,
// shrinking, emptying, and a cell set from another cell of its own row.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/RowCells.h"

namespace talvex {
namespace {

void expectSame(const RowCells& row, const std::vector<std::string>& model) {
    ASSERT_EQ(row.size(), model.size());
    for (size_t col = 0; col < model.size() + 2; ++col)
        ASSERT_EQ(row.at(col), col < model.size() ? model[col] : "") << "column " << col;
}

TEST(RowCellsTest, ChangesMatchAListOfStrings) {
    std::mt19937 random(7);
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<std::string_view> start;
        const std::vector<std::string> texts = {"", "1,250.00", "Rent", "12.5:12.5:0|1:0:0", "x"};
        for (int n = pick(6); n > 0; --n) start.push_back(texts[static_cast<size_t>(pick(5))]);
        RowCells row(start);
        std::vector<std::string> model(start.begin(), start.end());
        for (int change = 0; change < 20; ++change) {
            const size_t col = static_cast<size_t>(pick(9));
            std::string text =
                pick(3) == 0 && !model.empty()
                    ? model[static_cast<size_t>(pick(static_cast<int>(model.size())))]
                    : std::string(static_cast<size_t>(pick(40)), 'a' + pick(26));
            if (pick(4) == 0 && row.size() > 0) {
                // From the row itself: the new block must be filled before the old one goes.
                const size_t from = static_cast<size_t>(pick(static_cast<int>(row.size())));
                text = model[from];
                row.set(col, row.at(from));
            } else {
                row.set(col, text);
            }
            if (col >= model.size()) model.resize(col + 1);
            model[col] = text;
            expectSame(row, model);
            const RowCells copy = row;
            expectSame(copy, model);
        }
    }
}

}  // namespace
}  // namespace talvex
