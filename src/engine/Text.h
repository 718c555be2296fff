#pragma once

#include <string>
#include <string_view>

namespace talvex {

// Without leading and trailing blanks and tabs.
std::string trimmed(std::string_view text);

// The slot number a reference cell names; 0 when the text is not a whole positive number.
int slotNumber(std::string_view text);

// Text typed or pasted into a cell: TAB, CR and LF become blanks and NUL bytes go.
std::string cellText(std::string_view text);

// Whether cellText would change the text. A byte-by-byte test: a search for any of a set of
// characters looks the set up once for every byte, which costs more than the rest of reading
// or writing a tape's short cells.
inline bool needsCellText(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) <= '\r' &&
            (c == '\0' || c == '\t' || c == '\n' || c == '\r'))
            return true;
    return false;
}

}  // namespace talvex
