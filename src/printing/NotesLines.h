// The tape's notes as printed lines: paragraphs that fit stay whole, longer ones are filled
// word by word and run on into the next paragraph.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// Paragraphs are separated by CR LF. A word longer than the width is cut at the width, its
// rest going on the next line. A width of 0 or less gives one line per paragraph.
std::vector<std::string> notesLines(std::string_view notes, int width);

}  // namespace talvex
