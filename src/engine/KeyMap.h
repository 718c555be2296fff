#pragma once

#include <optional>
#include <string_view>

namespace talvex {

// A key the keyboard map produced: its code and, for the grand-total key, the group mode the
// character selects ("G" grand total, "g" group totals).
struct MappedKey {
    int code = 0;
    std::optional<int> groupMode;
};

// Maps a typed character to a key code; characters without a key give nothing.
std::optional<MappedKey> mapKeyboardChar(char c, char decSep);

// Named keys of the keyboard that are not characters.
inline constexpr int kEscapeKeyCode = 15;  // Esc: cancel entry
inline constexpr int kF9KeyCode = 14;      // F9: clear

// The character that Enter in the amount column of the open row sends, chosen from the line
// above: with an entry "=" under "x" or "/" and "+" otherwise; without one "T" under "s", "C"
// under a total's trailer (afterTotal, also on the first line), and "S" under "+", "-", a
// result line or any other blank line, so a product's blank line does not clear the sum.
std::optional<char> enterKeyChar(bool hasEntry, std::string_view codeAbove, bool afterTotal);

}  // namespace talvex
