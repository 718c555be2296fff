#pragma once

#include <string>

namespace talvex {

class TapeTable;

// One data row of a tape file, without the line end: the row number, the cells of columns 2
// to colCount and, while the tape is on, the register record and a non-empty browser address,
// separated by TAB.
std::string dataRowText(const TapeTable& table, int row, int colCount, bool tapeOn);

}  // namespace talvex
