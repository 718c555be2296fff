#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/NumberFormat.h"

namespace talvex {

// An amount typed or pasted over a line holds only what the keys can enter: digits, one
// decimal separator and a fraction's blank and "/" (a pasted figure may also carry a leading
// minus sign and the thousands separators the tape shows), or "R" and a reference. Returns
// the text as the keys would have entered it (outer blanks and thousands separators dropped),
// or nothing when it holds anything else, such as the ":" and "|" of a register record.
std::optional<std::string> keyableAmount(std::string_view text, const NumberSymbols& symbols);

// A figure as the tape shows it ("-1,234.50", or "1.234,5" where "," is the decimal
// separator) written for programs that know only one notation: a leading "-" for a negative,
// "." before the decimals, no thousands separators, and exactly the digits shown ("12." reads
// "12", "1,234.50" reads "1234.50"). Nothing when the text is not such a figure ("Overflow",
// a date, a word).
std::optional<std::string> plainNumber(std::string_view shown, const NumberSymbols& symbols);

}  // namespace talvex
