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

}  // namespace talvex
