#include "engine/Text.h"

#include <charconv>

namespace talvex {

std::string trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

int slotNumber(std::string_view text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size() && n > 0 ? n : 0;
}

// A cell is one field of a tape file: TAB, CR and LF would split it, and a NUL byte would make
// the saved file binary.
std::string cellText(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        if (c == '\0') continue;
        clean += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return clean;
}

}  // namespace talvex
