#pragma once

#include <string>
#include <vector>

namespace talvex {

class ColumnSet;
class Engine;

// Tape lines as the grid shows them, ready for a spreadsheet: the shown columns in the grid's
// order, and figures in the one notation every program reads.
struct ExportedCells {
    // One per column; none when the cells go without a header row.
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows;
};

// The line-number column's caption: the document gives that column none.
inline constexpr const char* kLineNumberCaption = "Line";

// The document columns the grid shows, left to right: 1 (the line numbers) first when they
// are shown, then every visible column.
std::vector<int> shownColumns(const Engine& engine, const ColumnSet& columns,
                              bool lineNumbersShown);

// Every line the grid shows, top to bottom; the open row after the last line is not one.
std::vector<int> shownLines(const Engine& engine);

// The cells of rows in cols. Amounts and number columns are plain numbers ("." before the
// decimals, no thousands separators); a figure the tape could not show stays as shown.
ExportedCells exportedCells(const Engine& engine, const ColumnSet& columns,
                            const std::vector<int>& cols, const std::vector<int>& rows);

// With a caption for each column.
ExportedCells withCaptions(ExportedCells cells, const ColumnSet& columns,
                           const std::vector<int>& cols);

}  // namespace talvex
