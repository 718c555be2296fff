#include "documents/DataRow.h"

#include <array>
#include <charconv>

#include "engine/ColumnRoles.h"
#include "engine/TapeTable.h"
#include "engine/Text.h"

namespace talvex {

void appendField(std::string& line, std::string_view text) {
    if (!needsCellText(text))
        line += text;
    else
        line += cellText(text);
}

std::string dataRowText(const TapeTable& table, int row, int colCount, bool tapeOn) {
    std::string line;
    appendDataRow(line, table, row, colCount, tapeOn);
    return line;
}

void appendDataRow(std::string& text, const TapeTable& table, int row, int colCount, bool tapeOn) {
    std::array<char, 16> digits;
    const auto number = std::to_chars(digits.begin(), digits.end(), row);
    text.append(digits.data(), number.ptr);
    for (int col = 2; col <= colCount; ++col) {
        text += '\t';
        appendField(text, table.cell(row, col));
    }
    if (!tapeOn) return;
    text += '\t';
    appendField(text, table.cell(row, kRegisterColumn));
    const std::string_view address = table.cell(row, colCount + 1);
    if (!address.empty()) {
        text += '\t';
        appendField(text, address);
    }
}

size_t dataRowBytes(const TapeTable& table, int row, int colCount, bool tapeOn) {
    std::array<char, 16> digits;
    size_t bytes =
        static_cast<size_t>(std::to_chars(digits.begin(), digits.end(), row).ptr - digits.data());
    for (int col = 2; col <= colCount; ++col) bytes += 1 + table.cell(row, col).size();
    if (!tapeOn) return bytes;
    bytes += 1 + table.cell(row, kRegisterColumn).size();
    const size_t address = table.cell(row, colCount + 1).size();
    return address > 0 ? bytes + 1 + address : bytes;
}

}  // namespace talvex
