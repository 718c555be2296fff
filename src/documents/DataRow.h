#pragma once

#include <string>
#include <string_view>

namespace talvex {

class TapeTable;

// Appends text as one field of a tape file. Fields are separated by TAB and records end with
// CR LF, and a NUL would make the file binary, so these are cleaned as the grid cleans what is
// typed into its cells: every text the writer writes passes here.
void appendField(std::string& line, std::string_view text);

// One data row of a tape file, without the line end: the row number, the cells of columns 2
// to colCount and, while the tape is on, the register record and a non-empty browser address,
// separated by TAB.
std::string dataRowText(const TapeTable& table, int row, int colCount, bool tapeOn);
// The same row appended to a file's text, with no text of its own.
void appendDataRow(std::string& text, const TapeTable& table, int row, int colCount, bool tapeOn);
// The bytes appendDataRow appends to the text at most (cleaning a field only drops bytes).
size_t dataRowBytes(const TapeTable& table, int row, int colCount, bool tapeOn);

}  // namespace talvex
