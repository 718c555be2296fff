#pragma once

#include <string>

namespace talvex {

// Which physical column plays which role. A role whose index is 0 or 1 is absent; a tape
// without a column for a role gives it kNoColumn, whose cells read as empty and take no text
// (column 0 holds the register records, which no role may read or overwrite).
struct ColumnRoles {
    static constexpr int kNoColumn = -1;

    int itemCount = 2;    // type 12
    int type13 = 3;       // type 13: kept, not used by the calculation
    int description = 4;  // type 14: titles, labels and group names
    int amount = 5;       // type 15
    int op = 6;           // type 16
    int reference = 7;    // type 17

    static bool present(int col) { return col > 1; }
};

// The register record lives in column 0, the line number in column 1.
inline constexpr int kRegisterColumn = 0;
inline constexpr int kLineNumberColumn = 1;

// A row's line number counts from the first row the tape shows; the row before it has none.
std::string lineNumberText(int row, int hiddenRows);

}  // namespace talvex
