#include "documents/DataRow.h"

#include "engine/ColumnRoles.h"
#include "engine/TapeTable.h"

namespace talvex {

std::string dataRowText(const TapeTable& table, int row, int colCount, bool tapeOn) {
    std::string line = std::to_string(row);
    for (int col = 2; col <= colCount; ++col) {
        line += '\t';
        line += table.cell(row, col);
    }
    if (!tapeOn) return line;
    line += '\t';
    line += table.cell(row, kRegisterColumn);
    const std::string& address = table.cell(row, colCount + 1);
    if (!address.empty()) {
        line += '\t';
        line += address;
    }
    return line;
}

}  // namespace talvex
