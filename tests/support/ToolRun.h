// Runs talvex-tape in the test's own process and takes its rows and files apart.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "SplitText.h"
#include "TapeTool.h"
#include "TempFolder.h"

namespace talvex {

struct Result {
    int status;
    std::string out, err;
};

inline Result tool(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runTapeTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

// "amount code label;" of each written line of printed rows (the last row is the open row).
inline std::string tapeLines(const std::string& rows) {
    const auto cells = testing::printedCells(rows);
    std::string result;
    for (size_t i = 0; i + 1 < cells.size(); ++i)
        result +=
            cells[i][4] + " " + cells[i][5] + (cells[i][3].empty() ? "" : " " + cells[i][3]) + ";";
    return result;
}

using testing::linesOf;
using testing::printedCells;
using testing::readFile;
using testing::split;
using testing::TempFolder;

}  // namespace talvex
