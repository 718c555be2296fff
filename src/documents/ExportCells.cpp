#include "documents/ExportCells.h"

#include "documents/Columns.h"
#include "engine/AmountText.h"
#include "engine/ColumnRoles.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

bool holdsFigures(const Engine& engine, const ColumnSet& columns, int col) {
    return col == engine.layout().roles.amount || columns.column(col).kind == ColumnKind::number;
}

std::string exportedCell(const Engine& engine, bool figures, int row, int col) {
    if (col == kLineNumberColumn) return engine.lineNumberText(row);
    const std::string shown(engine.cell(row, col));
    if (!figures) return shown;
    return plainNumber(shown, engine.format().symbols()).value_or(shown);
}

}  // namespace

std::vector<int> shownColumns(const Engine& engine, const ColumnSet& columns,
                              bool lineNumbersShown) {
    std::vector<int> cols;
    if (lineNumbersShown) cols.push_back(kLineNumberColumn);
    for (int col = ColumnSet::kFirstColumn; col <= engine.layout().colCount; ++col)
        if (columns.column(col).visible) cols.push_back(col);
    return cols;
}

// The grid starts below the hidden lines, as its line numbers do.
std::vector<int> shownLines(const Engine& engine) {
    std::vector<int> rows;
    for (int row = engine.layout().hiddenRows + 1; row < engine.state().lastRow; ++row)
        rows.push_back(row);
    return rows;
}

ExportedCells exportedCells(const Engine& engine, const ColumnSet& columns,
                            const std::vector<int>& cols, const std::vector<int>& rows) {
    std::vector<bool> figures;
    for (int col : cols) figures.push_back(holdsFigures(engine, columns, col));
    ExportedCells cells;
    cells.rows.reserve(rows.size());
    for (int row : rows) {
        std::vector<std::string>& line = cells.rows.emplace_back();
        for (size_t i = 0; i < cols.size(); ++i)
            line.push_back(exportedCell(engine, figures[i], row, cols[i]));
    }
    return cells;
}

ExportedCells withCaptions(ExportedCells cells, const ColumnSet& columns,
                           const std::vector<int>& cols) {
    cells.captions.clear();
    for (int col : cols)
        cells.captions.push_back(col == kLineNumberColumn ? kLineNumberCaption
                                                          : columns.column(col).caption);
    return cells;
}

}  // namespace talvex
