// The part of a tape a saved file keeps, as one list to compare: two tapes that give the same
// list save to the same rows.
#pragma once

#include <string>
#include <vector>

#include "engine/Engine.h"

namespace talvex::fuzz {

// The line numbers are written anew on saving, so they are left out.
inline std::vector<std::string> keptCells(const Engine& engine) {
    const int colCount = engine.layout().colCount;
    std::vector<std::string> cells{std::to_string(engine.state().lastRow), std::to_string(colCount),
                                   engine.state().tapeOn ? "tape" : "no tape"};
    for (int row = 1; row <= engine.state().lastRow; ++row) {
        for (int col = 2; col <= colCount; ++col) cells.emplace_back(engine.cell(row, col));
        if (!engine.state().tapeOn) continue;
        cells.emplace_back(engine.cell(row, kRegisterColumn));
        cells.emplace_back(engine.cell(row, colCount + 1));
    }
    return cells;
}

inline std::string firstDifference(const std::vector<std::string>& a,
                                   const std::vector<std::string>& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            return "cell " + std::to_string(i) + ": \"" + a[i] + "\" / \"" + b[i] + "\"";
    return "sizes " + std::to_string(a.size()) + " / " + std::to_string(b.size());
}

}  // namespace talvex::fuzz
