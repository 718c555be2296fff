#pragma once

#include <cstddef>
#include <vector>

#include "engine/ColumnRoles.h"

namespace talvex {

// How the tape is laid out: which column plays which role, how many columns and rows it may
// have, how wide each column is and how many lines at its top are hidden.
struct TapeLayout {
    static constexpr int kDefaultMaxRows = 400;
    static constexpr int kDefaultColCount = 7;
    // The default template's column widths in characters, from the line numbers to the
    // references: number, date, description, amount, operator.
    static constexpr int kDefaultWidths[kDefaultColCount + 1] = {0, 3, 5, 8, 20, 14, 3, 3};

    ColumnRoles roles;
    int colCount = kDefaultColCount;
    // New lines stop here; a longer file is kept whole.
    int maxRows = kDefaultMaxRows;
    // Lines above the first one shown: the line numbers count from the first shown.
    int hiddenRows = 0;
    // In characters, by column; a column without a width reads as 0.
    std::vector<int> widths;

    int width(int col) const {
        return col >= 0 && static_cast<size_t>(col) < widths.size()
                   ? widths[static_cast<size_t>(col)]
                   : 0;
    }
};

}  // namespace talvex
