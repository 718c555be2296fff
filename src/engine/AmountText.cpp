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

// A thousands separator as the formatter puts it: after a digit, before a group of three.
bool groupsThousands(std::string_view text, size_t at, size_t start) {
    if (at == start || !isDigit(text[at - 1]) || text.size() < at + 4) return false;
    for (size_t i = at + 1; i <= at + 3; ++i)
        if (!isDigit(text[i])) return false;
    return text.size() == at + 4 || !isDigit(text[at + 4]);
}

// The digits of one side of the decimal separator; thousands separators count only in the
// whole part.
void takeDigits(std::string_view text, size_t& at, char thousandsSep, std::string& digits) {
    const size_t start = at;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (thousandsSep != 0 && c == thousandsSep && groupsThousands(text, at, start)) continue;
        if (!isDigit(c)) break;
        digits += c;
    }
}

}  // namespace

std::optional<std::string> plainNumber(std::string_view shown, const NumberSymbols& symbols) {
    const std::string text = trimmed(shown);
    size_t at = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) ++at;
    std::string whole, decimals;
    takeDigits(text, at, symbols.thousandsSep, whole);
    const bool separated = at < text.size() && text[at] == symbols.decSep;
    if (separated) takeDigits(text, ++at, 0, decimals);
    if (at != text.size() || (whole.empty() && decimals.empty())) return std::nullopt;
    std::string plain = negative ? "-" : "";
    plain += whole.empty() ? "0" : whole;
    if (!decimals.empty()) plain += "." + decimals;
    return plain;
}

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
