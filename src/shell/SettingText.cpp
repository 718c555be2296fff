// Number and list reading for settings texts.
#include "shell/SettingText.h"

#include <algorithm>
#include <climits>

namespace talvex {

long long leadingInteger(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    unsigned long long magnitude = 0;
    constexpr unsigned long long kLimit = static_cast<unsigned long long>(LLONG_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude >= kLimit) {
            magnitude = kLimit;
            break;
        }
    }
    if (negative) return magnitude == kLimit ? LLONG_MIN : -static_cast<long long>(magnitude);
    return magnitude == kLimit ? LLONG_MAX : static_cast<long long>(magnitude);
}

int leadingInt(std::string_view text) {
    const long long value = leadingInteger(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::vector<std::string> splitText(std::string_view text, char separator) {
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        items.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    items.emplace_back(text.substr(start));
    return items;
}

std::string joinText(const std::vector<std::string>& items, char separator) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += separator;
        text += items[i];
    }
    return text;
}

std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return line;
}

std::string withItem(std::string_view list, int index, int count, std::string_view item) {
    std::vector<std::string> items = splitText(list, ',');
    if (items.size() < static_cast<size_t>(count)) items.resize(static_cast<size_t>(count));
    std::string text = oneLine(item);
    for (char& c : text) {
        if (c == ',') c = ' ';
    }
    items[static_cast<size_t>(index)] = std::move(text);
    return joinText(items, ',');
}

}  // namespace talvex
