#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/TableEdit.h"

namespace talvex {

// The tape as a table of text cells. Rows run from -4 (scratch rows used by the file writer)
// upwards; column 0 holds each row's register record, column 1 the line number. Rows and
// columns grow on demand: a cell that was never written reads as empty text.
class TapeTable {
  public:
    static constexpr int kFirstRow = -4;

    // A view of the cell's text, good until the row changes.
    std::string_view cell(int row, int col) const;
    void setCell(int row, int col, std::string_view text);

    // Rows that hold storage (the highest written row + 1); not the tape's length.
    int storedRows() const { return static_cast<int>(rows_.size()) + kFirstRow; }

    // Moves rows row.. down by one and leaves an empty row at row.
    void insertRow(int row);
    // Removes count rows starting at row; the rows below move up.
    void removeRows(int row, int count);
    // Empties every cell of a row except the columns listed before firstCol.
    void clearRow(int row, int firstCol = 0);
    void clear() { rows_.clear(); }
    // Keeps storage for at least rows rows, so appending does not reallocate.
    void reserveRows(int rows);

    // While a journal is kept, every change is recorded so that rollBack can take the whole
    // operation back; endJournal forgets it once the operation has succeeded.
    void startJournal();
    void endJournal();
    void rollBack();

    // While a log is set, every change is appended to it, rolled-back changes included, so
    // toggling the log's edits newest first or oldest first goes between the two states. The
    // journal is not kept meanwhile: the log holds the same, and takeBackLog undoes it.
    void setEditLog(std::vector<TableEdit>* log) { log_ = log; }
    bool logging() const { return log_ != nullptr; }
    // The line numbers follow from the rows, so the log leaves them out: whoever takes edits
    // back or makes them again writes the numbers again.
    static constexpr int kNumberColumn = 1;
    // Takes back the logged edits after the first mark ones, newest first.
    void takeBackLog(size_t mark);
    // Takes an edit back if it is in the table, or makes it again if it was taken back; nothing
    // is logged or journaled.
    void toggle(TableEdit& edit);

    using Row = TableEdit::Row;
    // Puts a whole row in place, as a reader builds a new table; not logged or journaled.
    void putRow(int row, Row cells);

  private:
    struct Change {
        enum class Kind { cell, insertedRow, removedRows } kind;
        int row = 0;
        int col = 0;
        std::string text;
        std::vector<Row> rows;
    };
    Row* rowFor(int row);
    Row& ensureRow(int row);
    void insertStoredRows(int row, std::vector<Row> rows);
    void eraseStoredRows(int row, int count);
    std::vector<Row> rows_;
    std::vector<Change> journal_;
    bool journaling_ = false;
    std::vector<TableEdit>* log_ = nullptr;
};

}  // namespace talvex
