// The tape's columns: their roles and widths, and moving or clearing a column's cells.
#include "engine/Engine.h"

#include <iterator>

namespace talvex {

void Engine::setDefaultColumnWidths() {
    layout_.widths.assign(std::begin(TapeLayout::kDefaultWidths),
                          std::end(TapeLayout::kDefaultWidths));
}

void Engine::setColumns(const ColumnRoles& roles, int colCount) {
    ChangeGroup group(*this);
    layout_.roles = roles;
    layout_.colCount = colCount;
}

void Engine::moveColumn(int from, int to) {
    ChangeGroup group(*this);
    for (int row = 1; row <= state_.lastRow; ++row) table_.setCell(row, to, table_.cell(row, from));
    state_.modified = true;
    view_.rowsChanged(1, 0);
}

void Engine::clearColumn(int col) {
    ChangeGroup group(*this);
    for (int row = 1; row <= state_.lastRow; ++row) table_.setCell(row, col, {});
    state_.modified = true;
    view_.rowsChanged(1, 0);
}

void Engine::setColumnWidth(int col, int width) {
    if (col < 0) return;
    if (static_cast<size_t>(col) >= layout_.widths.size())
        layout_.widths.resize(static_cast<size_t>(col) + 1);
    layout_.widths[static_cast<size_t>(col)] = width;
}

}  // namespace talvex
