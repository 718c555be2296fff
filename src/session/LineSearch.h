#pragma once

#include <string_view>

namespace talvex {

class Engine;

enum class SearchDirection { forward, backward };

// Whether a line's description or amount holds text, letter case aside. The amount is matched
// as the grid shows it and as a plain number, so "1234.5" finds "1,234.50" and "1234,5" finds
// "1.234,50" on a tape with "," before its decimals.
bool lineHolds(const Engine& engine, int row, std::string_view text);

// The next line from fromRow in direction that holds text, going round the tape once (fromRow
// itself comes last); 0 when no line holds it.
int findLine(const Engine& engine, std::string_view text, int fromRow, SearchDirection direction);

}  // namespace talvex
