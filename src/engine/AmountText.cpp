#include "engine/AmountText.h"

#include <cctype>

#include "engine/Text.h"

namespace talvex {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "R" and a slot number, or the name of a user-defined symbol.
bool isReference(std::string_view text) {
    for (char c : text.substr(1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

std::optional<std::string> keyableFigure(std::string_view text, const NumberSymbols& symbols) {
    std::string figure;
    int separators = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == symbols.thousandsSep && c != symbols.decSep) continue;
        if (c == symbols.decSep) ++separators;
        const bool allowed =
            isDigit(c) || c == symbols.decSep || c == ' ' || c == '/' || (c == '-' && i == 0);
        if (!allowed || separators > 1) return std::nullopt;
        figure += c;
    }
    return figure;
}

}  // namespace

std::optional<std::string> keyableAmount(std::string_view text, const NumberSymbols& symbols) {
    const std::string clean = trimmed(text);
    if (clean.empty()) return clean;
    if (clean.front() == 'R' || clean.front() == 'r') {
        if (!isReference(clean)) return std::nullopt;
        return "R" + clean.substr(1);
    }
    return keyableFigure(clean, symbols);
}

}  // namespace talvex
