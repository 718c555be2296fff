#include "engine/TapeTable.h"

#include <algorithm>
#include <utility>

namespace talvex {

std::string_view TapeTable::cell(int row, int col) const {
    const long index = static_cast<long>(row) - kFirstRow;
    if (index < 0 || index >= static_cast<long>(rows_.size()) || col < 0) return {};
    return rows_[static_cast<size_t>(index)].at(static_cast<size_t>(col));
}

void TapeTable::setCell(int row, int col, std::string_view text) {
    if (row < kFirstRow || col < 0) return;
    Row& cells = ensureRow(row);
    const std::string_view target = cells.at(static_cast<size_t>(col));
    if (target == text) return;
    // While a log is kept it is the journal too.
    if (log_) {
        if (col != kNumberColumn)
            log_->push_back({TableEdit::Kind::cell, row, col, std::string(target), {}, 0});
    } else if (journaling_) {
        journal_.push_back(Change{Change::Kind::cell, row, col, std::string(target), {}});
    }
    cells.set(static_cast<size_t>(col), text);
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

void TapeTable::putRow(int row, Row cells) {
    if (row >= kFirstRow) ensureRow(row) = std::move(cells);
}

void TapeTable::insertRow(int row) {
    if (row < kFirstRow) return;
    if (row >= storedRows()) {
        ensureRow(row);
        return;
    }
    const long index = static_cast<long>(row) - kFirstRow;
    rows_.insert(rows_.begin() + index, Row{});
    if (log_)
        log_->push_back({TableEdit::Kind::rows, row, 0, {}, {}, 1});
    else if (journaling_)
        journal_.push_back(Change{Change::Kind::insertedRow, row, 0, {}, {}});
}

void TapeTable::removeRows(int row, int count) {
    if (count <= 0 || row < kFirstRow || row >= storedRows()) return;
    const long first = static_cast<long>(row) - kFirstRow;
    const long last = std::min<long>(first + count, static_cast<long>(rows_.size()));
    if (log_) {
        log_->push_back({TableEdit::Kind::rows, row, 0, {}, {}, static_cast<int>(last - first)});
        log_->back().rows.assign(std::make_move_iterator(rows_.begin() + first),
                                 std::make_move_iterator(rows_.begin() + last));
    } else if (journaling_) {
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
        setCell(row, static_cast<int>(col), std::string_view());
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
    const long first = static_cast<long>(index);
    rows_.insert(rows_.begin() + first, std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
}

// Undoes the recorded changes, newest first.
void TapeTable::rollBack() {
    journaling_ = false;
    for (auto change = journal_.rbegin(); change != journal_.rend(); ++change) {
        switch (change->kind) {
            case Change::Kind::cell:
                setCell(change->row, change->col, change->text);
                break;
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

void TapeTable::takeBackLog(size_t mark) {
    while (log_ && log_->size() > mark) {
        TableEdit edit = std::move(log_->back());
        log_->pop_back();
        toggle(edit);
    }
}

void TapeTable::toggle(TableEdit& edit) {
    if (edit.kind == TableEdit::Kind::cell) {
        Row& cells = ensureRow(edit.row);
        std::string other(cells.at(static_cast<size_t>(edit.col)));
        cells.set(static_cast<size_t>(edit.col), edit.text);
        edit.text = std::move(other);
    } else if (edit.rows.empty()) {
        const long first = static_cast<long>(edit.row) - kFirstRow;
        if (first < 0 || first >= static_cast<long>(rows_.size())) return;
        const long last = std::min<long>(first + edit.count, static_cast<long>(rows_.size()));
        edit.rows.assign(std::make_move_iterator(rows_.begin() + first),
                         std::make_move_iterator(rows_.begin() + last));
        rows_.erase(rows_.begin() + first, rows_.begin() + last);
    } else {
        insertStoredRows(edit.row, std::move(edit.rows));
        edit.rows.clear();
    }
}

// A text short enough to live inside its string costs nothing more; a longer one is a block
// of the heap with the allocator's own bookkeeping.
size_t heapBytes(const std::string& text) {
    constexpr size_t kInline = 15;
    constexpr size_t kBlockOverhead = 16;
    return text.capacity() > kInline ? text.capacity() + 1 + kBlockOverhead : 0;
}

size_t TableEdit::bytes() const {
    size_t total = sizeof(TableEdit) + heapBytes(text);
    for (const Row& cells : rows) total += sizeof(Row) + cells.heapBytes();
    return total;
}

void TapeTable::reserveRows(int rows) {
    if (rows > 0) rows_.reserve(static_cast<size_t>(rows - kFirstRow + 1));
}

}  // namespace talvex
