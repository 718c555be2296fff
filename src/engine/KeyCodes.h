#pragma once

namespace talvex::key {

// Key codes: the keypad buttons' indexes; keyboard characters map to the same codes.
inline constexpr int kDigit0 = 0;
inline constexpr int kDigit9 = 9;
inline constexpr int kDoubleZero = 10;
inline constexpr int kDecimal = 11;
inline constexpr int kRef = 12;
inline constexpr int kPercent = 13;
inline constexpr int kClear = 14;
inline constexpr int kClearEntry = 15;
inline constexpr int kSubtract = 16;
inline constexpr int kAdd = 17;
inline constexpr int kSubtotal = 18;
inline constexpr int kTotal = 19;
inline constexpr int kMultiply = 20;
inline constexpr int kDivide = 21;
inline constexpr int kEquals = 22;
inline constexpr int kCounts = 23;
inline constexpr int kReserved = 24;
inline constexpr int kStarTotal = 25;
inline constexpr int kGrandTotal = 26;
inline constexpr int kBlankLine = 27;
inline constexpr int kFractionBlank = 28;
inline constexpr int kFractionBar = 29;
inline constexpr int kFirstDevicePanelKey = 31;
inline constexpr int kFirstCalcPanelKey = 39;
inline constexpr int kAddinFunction = 41;
inline constexpr int kLastPanelKey = 46;

// KeyToCode results that are not keys.
inline constexpr int kUnknownLine = -1;
inline constexpr int kBlankLineCode = -2;

// Keys that end the edit of a line (and write a line of their own).
inline bool isOperatorKey(int code) {
    return code == kPercent || code == kClear || (code >= kSubtract && code <= kEquals) ||
           code == kStarTotal || code == kGrandTotal || code == kAddinFunction;
}

// Keys that write a computed line: clear, subtotal and the totals. They never replace an entry
// and cannot use a reference.
inline bool writesComputedLine(int code) {
    return code == kClear || code == kSubtotal || code == kTotal || code == kStarTotal ||
           code == kGrandTotal;
}

// Keys that may write lines, so that what they do may have to be taken back whole.
inline bool writesLines(int code) {
    return isOperatorKey(code) || code == kBlankLine || code >= kFirstDevicePanelKey;
}

// Keys that build the entry; they leave OperatorLast off. The fraction keys count as such.
inline bool isEntryKey(int code) {
    return code < kPercent || code == kFractionBlank || code == kFractionBar;
}

}  // namespace talvex::key
