#pragma once

#include <string_view>

namespace talvex {

class AddinPort;

// The key that replays a line, found from the line's operator code alone.
struct ReplayKey {
    // A key code, key::kBlankLineCode for a blank line or key::kUnknownLine.
    int code = 0;
    // The group mode a grand-total key wrote the line in; -1 for other keys.
    int groupMode = -1;
};

ReplayKey keyToCode(std::string_view opCode, const AddinPort& addins);
// Whether the calculator's own keys write lines with this code (blank and result lines too):
// such a line is written again without any add-in's fields.
bool isCalculatorLine(std::string_view opCode);

}  // namespace talvex
