#include "engine/KeyMap.h"

#include "engine/EntryState.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

std::optional<int> codeForChar(char c) {
    switch (c) {
        case 'R':
        case 'r':
            return key::kRef;
        case '%':
            return key::kPercent;
        case 'C':
        case 'c':
            return key::kClear;
        case '`':
        case '\x1b':
            return key::kClearEntry;
        case '-':
            return key::kSubtract;
        case '+':
            return key::kAdd;
        case 'S':
        case 's':
        case '!':
            return key::kSubtotal;
        case 'T':
        case 't':
        case '@':
            return key::kTotal;
        case '*':
            return key::kMultiply;
        case '/':
            return key::kDivide;
        case '=':
            return key::kEquals;
        case '#':
            return key::kCounts;
        case 'W':
        case 'w':
            return key::kStarTotal;
        case ' ':
            return key::kFractionBlank;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<MappedKey> mapKeyboardChar(char c, char decSep) {
    if (c >= '0' && c <= '9') return MappedKey{c - '0', std::nullopt};
    if (c == '.' || c == decSep) return MappedKey{key::kDecimal, std::nullopt};
    if (c == 'G') return MappedKey{key::kGrandTotal, group_mode::kGrandTotal};
    if (c == 'g') return MappedKey{key::kGrandTotal, group_mode::kGroupTotals};
    if (const auto code = codeForChar(c)) return MappedKey{*code, std::nullopt};
    return std::nullopt;
}

std::optional<char> enterKeyChar(bool hasEntry, std::string_view codeAbove, bool afterTotal) {
    const std::string_view above = baseCode(codeAbove);
    if (hasEntry) return (above == op::kMultiply || above == op::kDivide) ? '=' : '+';
    if (above == op::kSubtotal) return 'T';
    if (above == op::kBlank) return afterTotal ? 'C' : 'S';
    if (above == op::kAdd || above == op::kSubtract || above == op::kStar) return 'S';
    return std::nullopt;
}

}  // namespace talvex
