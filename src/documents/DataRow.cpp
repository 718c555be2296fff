#include "documents/DataRow.h"

#include "engine/ColumnRoles.h"
#include "engine/TapeTable.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kUnsafe("\t\r\n\0", 4);

}  // namespace

void appendField(std::string& line, std::string_view text) {
    if (text.find_first_of(kUnsafe) == std::string_view::npos)
        line += text;
    else
        line += cellText(text);
}

std::string dataRowText(const TapeTable& table, int row, int colCount, bool tapeOn) {
    std::string line = std::to_string(row);
    for (int col = 2; col <= colCount; ++col) {
        line += '\t';
        appendField(line, table.cell(row, col));
    }
    if (!tapeOn) return line;
    line += '\t';
    appendField(line, table.cell(row, kRegisterColumn));
    const std::string& address = table.cell(row, colCount + 1);
    if (!address.empty()) {
        line += '\t';
        appendField(line, address);
    }
    return line;
}

}  // namespace talvex
