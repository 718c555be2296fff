#pragma once

namespace talvex {

class DialogsPort;
class Engine;
struct TapeDocument;

// The "Display Columns/Widths" buttons: delete, insert before, add after and edit a column.
class ColumnActions {
  public:
    static constexpr int kDelete = 0;
    static constexpr int kInsertBefore = 1;
    static constexpr int kAddAfter = 2;
    static constexpr int kEdit = 3;

    ColumnActions(TapeDocument& document, Engine& engine, DialogsPort& dialogs, int maxCols)
        : document_(document), engine_(engine), dialogs_(dialogs), maxCols_(maxCols) {}

    // selected is the chosen column (2..ColCount), or 0 when none is chosen. Returns the
    // column selected afterwards, or -1 when nothing changed.
    int columnAction(int action, int selected);

  private:
    int deleteColumn(int col);
    int insertOrEdit(int action, int col);

    TapeDocument& document_;
    Engine& engine_;
    DialogsPort& dialogs_;
    int maxCols_;
};

}  // namespace talvex
