// Texts taken apart as the tape's files and talvex-tape's printed rows are laid out.
#pragma once

#include <string>
#include <vector>

namespace talvex::testing {

// Every part between separators, the empty ones included.
inline std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The lines of a text without their ends; a last line without an end counts too.
inline std::vector<std::string> linesOf(const std::string& text, const std::string& end = "\n") {
    std::vector<std::string> lines = split(text, end);
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// The TAB-separated cells of each printed row, padded so every row has at least `width`.
inline std::vector<std::vector<std::string>> printedCells(const std::string& rows,
                                                          size_t width = 8) {
    std::vector<std::vector<std::string>> result;
    for (const std::string& row : linesOf(rows)) {
        result.push_back(split(row, "\t"));
        if (result.back().size() < width) result.back().resize(width);
    }
    return result;
}

}  // namespace talvex::testing
