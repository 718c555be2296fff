#include "session/LineSearch.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "documents/ExportCells.h"
#include "engine/AmountText.h"
#include "engine/ColumnRoles.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

// ASCII letters only: other letters are bytes of the system encoding.
bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), same) !=
           haystack.end();
}

bool amountHolds(const Engine& engine, std::string_view amount, std::string_view text) {
    if (containsIgnoringCase(amount, text)) return true;
    const NumberSymbols& symbols = engine.format().symbols();
    const auto plainAmount = plainNumber(amount, symbols);
    const auto plainText = plainNumber(text, symbols);
    return plainAmount && plainText && plainAmount->find(*plainText) != std::string::npos;
}

// The lines in the order the search visits them.
std::vector<int> visitingOrder(const Engine& engine, int fromRow, SearchDirection direction) {
    std::vector<int> lines = shownLines(engine);
    if (direction == SearchDirection::backward) std::reverse(lines.begin(), lines.end());
    const auto after = [fromRow, direction](int row) {
        return direction == SearchDirection::forward ? row > fromRow : row < fromRow;
    };
    std::stable_partition(lines.begin(), lines.end(), after);
    return lines;
}

}  // namespace

bool lineHolds(const Engine& engine, int row, std::string_view text) {
    if (text.empty()) return false;
    const ColumnRoles& roles = engine.layout().roles;
    if (ColumnRoles::present(roles.description) &&
        containsIgnoringCase(engine.cell(row, roles.description), text))
        return true;
    return ColumnRoles::present(roles.amount) &&
           amountHolds(engine, engine.cell(row, roles.amount), text);
}

int findLine(const Engine& engine, std::string_view text, int fromRow, SearchDirection direction) {
    for (int row : visitingOrder(engine, fromRow, direction))
        if (lineHolds(engine, row, text)) return row;
    return 0;
}

}  // namespace talvex
