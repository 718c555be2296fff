#pragma once

#include <string_view>

namespace talvex {

// Amounts on the tape line up on their decimal separator: in a fixed-pitch, right-aligned
// column, each amount is padded on the right by the decimals it shows fewer than the most any
// amount shows. "61." and "23.75" both end their integer part in the same place.
inline int decimalsShown(std::string_view amount, char decSep) {
    const size_t sep = amount.find(decSep);
    if (sep == std::string_view::npos) return -1;  // no separator: pad past it as well
    int digits = 0;
    for (size_t i = sep + 1; i < amount.size() && amount[i] >= '0' && amount[i] <= '9'; ++i)
        ++digits;
    return digits;
}

inline int alignmentPadding(std::string_view amount, char decSep, int mostDecimals) {
    if (amount.empty()) return 0;
    const int shown = decimalsShown(amount, decSep);
    if (shown < 0) return mostDecimals + 1;
    return mostDecimals > shown ? mostDecimals - shown : 0;
}

}  // namespace talvex
