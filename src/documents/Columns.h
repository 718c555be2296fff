#pragma once

#include <string>
#include <vector>

#include "engine/ColumnRoles.h"

namespace talvex {

class Engine;

// The kind a column's type code gives it.
enum class ColumnKind { text = 0, date = 1, number = 2 };

// How the print engine lines a column's text up in its print width; the codes are the print
// settings' own, and any other code prints the text as it is.
enum class ColumnAlignment { asIs = 0, left = 1, right = 2, centre = 3 };

struct Column {
    std::string caption;
    std::string typeCode = "0";
    ColumnKind kind = ColumnKind::text;
    std::string displayFormat;  // "Short Date" for dates
    bool visible = true;
    // On paper: the width in characters (0: the column is not printed) and the alignment.
    int printWidth = 0;
    ColumnAlignment alignment = ColumnAlignment::asIs;

    bool operator==(const Column&) const = default;
};

// The document's columns 2..colCount (column 1 is the line number). Widths are kept by the
// engine, which widens the reference column itself.
class ColumnSet {
  public:
    static constexpr int kFirstColumn = 2;
    static constexpr const char* kShortDate = "Short Date";
    static constexpr int kNewColumnWidth = 8;

    explicit ColumnSet(Engine& engine) : engine_(engine) {}

    // The columns as they stand, and putting them back (an undo does); the engine keeps its
    // own part of the layout. False when nothing differed.
    struct Contents {
        int colCount = 1;
        std::vector<Column> columns;
        bool operator==(const Contents&) const = default;
    };
    Contents contents() const { return {colCount_, columns_}; }
    bool restore(const Contents& contents);

    int colCount() const { return colCount_; }
    // Rebuilds for a new count: every column back to an empty text column.
    void reset(int colCount);
    Column& column(int col);
    const Column& column(int col) const;
    int width(int col) const;
    void setWidth(int col, int width);
    // Stores and applies a type code: its kind, and the engine role of codes 12..17.
    void setColType(int col, const std::string& typeText);
    // The role columns as the type codes say; a role without a column is 0.
    ColumnRoles roles() const;
    // Copies width, type and every row's cell of column from to column to; the tape is modified.
    void moveColumn(int from, int to);
    void deleteColumn(int col);
    // A new empty text column at col; the columns from col on move one place right.
    void insertColumn(int col);
    // Hands the column count and the roles to the engine.
    void applyToEngine();
    // The tape file keeps no print widths: every shown column prints at its width on screen,
    // figures to the right and words to the left; hidden columns are not printed.
    void printAsShown();
    // The default template's columns: "No.", "Date", "Description", "Amount", "Op", "Ref".
    void setDefaults();

    static ColumnKind kindOf(const std::string& typeText);
    // The type code a column's type text stands for; text that is no number is a text column.
    static int typeNumber(const std::string& typeText);
    static std::string typeName(const std::string& typeText);

  private:
    Engine& engine_;
    int colCount_ = 1;
    std::vector<Column> columns_;
};

}  // namespace talvex
