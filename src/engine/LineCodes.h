#pragma once

#include <string>
#include <string_view>

namespace talvex {

class AddinPort;

// Operator codes written in a line's operator cell. A line that uses a reference carries its
// code followed by one blank ("+ "); every test on the kind of a line ignores that blank.
namespace op {
inline constexpr std::string_view kAdd = "+";
inline constexpr std::string_view kSubtract = "-";
inline constexpr std::string_view kMultiply = "x";
inline constexpr std::string_view kDivide = "/";
inline constexpr std::string_view kEquals = "=";
inline constexpr std::string_view kPercent = "%";
inline constexpr std::string_view kStar = "*";
inline constexpr std::string_view kSubtotal = "s";
inline constexpr std::string_view kTotal = "T";
inline constexpr std::string_view kStarTotal = "W";
inline constexpr std::string_view kGrandTotal = "G";
inline constexpr std::string_view kGroup = "g";
inline constexpr std::string_view kGroupSigned = "g.";
inline constexpr std::string_view kPlusItems = "g+";
inline constexpr std::string_view kMinusItems = "g-";
inline constexpr std::string_view kGroupsTotal = "t";
inline constexpr std::string_view kClear = "c";
inline constexpr std::string_view kBlank = "";
inline constexpr std::string_view kDefinition = "D";
}  // namespace op

// The code without the blank that marks a line using a reference.
std::string_view baseCode(std::string_view code);
// The code ends in the blank of a line that uses a reference ("+ ", "x ").
bool usesReference(std::string_view code);

// Lines that took an entry: "+", "-", "x", "/", "=" and "%" (with or without a reference).
bool takesEntry(std::string_view code);
// Lines the calculator writes itself: they cannot be re-keyed or reference other lines.
bool isComputedLine(std::string_view code);
// Group-total lines: codes beginning with "g", and "t".
bool isGroupLine(std::string_view code);
// Totals: "T", "W" and "G", always followed by a blank trailer.
bool isTotalLine(std::string_view code);
// "T", "W" and "G" always; "*" with StarLine on; an add-in result with ResultLine on.
bool hasTrailer(std::string_view code, bool starLine, bool resultLine, const AddinPort& addins);

}  // namespace talvex
