#pragma once

#include <string>
#include <vector>

namespace talvex {

// One change to the tape's table as it happened, with what was there before and after, so it
// can be taken back and made again: a cell's text, or whole rows put in or taken out.
struct TableEdit {
    using Row = std::vector<std::string>;
    enum class Kind { cell, insertedRows, removedRows };

    Kind kind = Kind::cell;
    int row = 0;
    int col = 0;
    std::string before;
    std::string after;
    std::vector<Row> rows;  // the rows put in or taken out

    // Roughly what the edit keeps in memory, for the undo history's budget.
    size_t bytes() const;
};

// What a text keeps on the heap beyond its own object.
size_t heapBytes(const std::string& text);

}  // namespace talvex
