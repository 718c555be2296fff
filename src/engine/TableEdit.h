#pragma once

#include <string>
#include <vector>

#include "engine/RowCells.h"

namespace talvex {

// One change to the tape's table, kept so it can be taken back and made again. It holds only
// what the table does not: a cell's other text, or the rows that are out of the table. Applying
// it swaps that with the table, so the same edit goes back and forth; rows move without copying,
// a cell's text is copied, as the row keeps its texts in one block.
struct TableEdit {
    using Row = RowCells;
    enum class Kind { cell, rows };

    Kind kind = Kind::cell;
    int row = 0;
    int col = 0;
    std::string text;       // a cell's text before the edit, or after it once taken back
    std::vector<Row> rows;  // rows put in or taken out, while they are out of the table
    int count = 0;          // how many rows

    // Roughly what the edit keeps in memory, for the undo history's budget.
    size_t bytes() const;
};

// What a text keeps on the heap beyond its own object.
size_t heapBytes(const std::string& text);

}  // namespace talvex
