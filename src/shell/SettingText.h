// Small text helpers shared by the configuration file and the settings groups: numbers read
// the forgiving way settings have always been read, and comma-joined lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// The leading whole number of a text after blanks ("12abc" is 12, "abc" is 0, "-3.7" is -3).
// Out-of-range values saturate so a damaged setting can never overflow.
long long leadingInteger(std::string_view text);

// leadingInteger clamped into the range of int.
int leadingInt(std::string_view text);

// Names of sections, keys and files compare like this (ASCII letters only, as on Windows).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// The items between the separators; an empty text is one empty item.
std::vector<std::string> splitText(std::string_view text, char separator);

std::string joinText(const std::vector<std::string>& items, char separator);

// The list with item index replaced, padded to count items so any item can be replaced. A ","
// in the new item would shift every item after it, so it becomes a blank.
std::string withItem(std::string_view list, int index, int count, std::string_view item);

// The text with every CR, LF and TAB replaced by a blank, so it stays one field of one line.
std::string oneLine(std::string_view text);

}  // namespace talvex
