#include "engine/TapeTable.h"

#include <algorithm>

namespace talvex {

namespace {
const std::string kEmpty;
}

const std::string& TapeTable::cell(int row, int col) const {
    const long index = static_cast<long>(row) - kFirstRow;
    if (index < 0 || index >= static_cast<long>(rows_.size()) || col < 0) return kEmpty;
    const Row& cells = rows_[static_cast<size_t>(index)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : kEmpty;
}

void TapeTable::setCell(int row, int col, std::string text) {
    if (row < kFirstRow || col < 0) return;
    Row& cells = ensureRow(row);
    if (static_cast<size_t>(col) >= cells.size()) {
        if (text.empty()) return;
        cells.resize(static_cast<size_t>(col) + 1);
    }
    std::string& target = cells[static_cast<size_t>(col)];
    if (target == text) return;
    if (journaling_)
        journal_.push_back(Change{Change::Kind::cell, row, col, std::move(target), {}});
    target = std::move(text);
}

TapeTable::Row* TapeTable::rowFor(int row) {
    const long index = static_cast<long>(row) - kFirstRow;
    if (index < 0 || index >= static_cast<long>(rows_.size())) return nullptr;
    return &rows_[static_cast<size_t>(index)];
}

TapeTable::Row& TapeTable::ensureRow(int row) {
    const size_t index = static_cast<size_t>(static_cast<long>(row) - kFirstRow);
    if (index >= rows_.size()) rows_.resize(index + 1);
    return rows_[index];
}

void TapeTable::insertRow(int row) {
    if (row < kFirstRow) return;
    if (row >= storedRows()) {
        ensureRow(row);
        return;
    }
    const long index = static_cast<long>(row) - kFirstRow;
    rows_.insert(rows_.begin() + index, Row{});
    if (journaling_) journal_.push_back(Change{Change::Kind::insertedRow, row, 0, {}, {}});
}

void TapeTable::removeRows(int row, int count) {
    if (count <= 0 || row < kFirstRow || row >= storedRows()) return;
    const long first = static_cast<long>(row) - kFirstRow;
    const long last = std::min<long>(first + count, static_cast<long>(rows_.size()));
    if (journaling_) {
        Change change{Change::Kind::removedRows, row, 0, {}, {}};
        change.rows.assign(std::make_move_iterator(rows_.begin() + first),
                           std::make_move_iterator(rows_.begin() + last));
        journal_.push_back(std::move(change));
    }
    rows_.erase(rows_.begin() + first, rows_.begin() + last);
}

void TapeTable::clearRow(int row, int firstCol) {
    Row* cells = rowFor(row);
    if (!cells) return;
    for (size_t col = static_cast<size_t>(std::max(firstCol, 0)); col < cells->size(); ++col)
        setCell(row, static_cast<int>(col), {});
}

void TapeTable::startJournal() {
    journal_.clear();
    journaling_ = true;
}

void TapeTable::endJournal() {
    journal_.clear();
    journaling_ = false;
}

void TapeTable::insertStoredRows(int row, std::vector<Row> rows) {
    const size_t index = static_cast<size_t>(static_cast<long>(row) - kFirstRow);
    if (index > rows_.size()) rows_.resize(index);
    rows_.insert(rows_.begin() + static_cast<long>(index), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
}

// Undoes the recorded changes, newest first.
void TapeTable::rollBack() {
    journaling_ = false;
    for (auto change = journal_.rbegin(); change != journal_.rend(); ++change) {
        switch (change->kind) {
            case Change::Kind::cell: {
                Row& cells = ensureRow(change->row);
                const size_t col = static_cast<size_t>(change->col);
                if (col >= cells.size()) cells.resize(col + 1);
                cells[col] = std::move(change->text);
                break;
            }
            case Change::Kind::insertedRow:
                removeRows(change->row, 1);
                break;
            case Change::Kind::removedRows:
                insertStoredRows(change->row, std::move(change->rows));
                break;
        }
    }
    journal_.clear();
}

void TapeTable::reserveRows(int rows) {
    if (rows > 0) rows_.reserve(static_cast<size_t>(rows - kFirstRow + 1));
}

}  // namespace talvex
