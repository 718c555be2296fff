// The tape's columns: their roles and widths, and moving or clearing a column's cells.
#include "engine/Engine.h"

namespace talvex {

// The widths, in characters, of the default template's columns.
void Engine::setDefaultColumnWidths() {
    layout_.widths.assign(static_cast<size_t>(kDefaultColCount) + 1, 0);
    setColumnWidth(kLineNumberColumn, 3);
    setColumnWidth(layout_.roles.itemCount, 5);
    setColumnWidth(layout_.roles.type13, 8);
    setColumnWidth(layout_.roles.description, 20);
    setColumnWidth(layout_.roles.amount, 14);
    setColumnWidth(layout_.roles.op, 3);
    setColumnWidth(layout_.roles.reference, 3);
}

void Engine::setColumns(const ColumnRoles& roles, int colCount) {
    layout_.roles = roles;
    layout_.colCount = colCount;
}

void Engine::moveColumn(int from, int to) {
    for (int row = 1; row <= state_.lastRow; ++row) table_.setCell(row, to, table_.cell(row, from));
    state_.modified = true;
    view_.rowsChanged(1, 0);
}

void Engine::clearColumn(int col) {
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
