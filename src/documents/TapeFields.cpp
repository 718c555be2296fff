#include "documents/TapeFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/NumberFormat.h"
#include "engine/Text.h"

namespace talvex {

namespace {

// Backs off to the start of a UTF-8 sequence, so a cut never leaves half a character.
std::string_view cutAt(std::string_view text, size_t bytes) {
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
    return text.substr(0, bytes);
}

}  // namespace

void splitFields(std::string_view line, Fields& fields) {
    fields.clear();
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return;
        start = tab + 1;
    }
}

bool wholeNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

double fileNumber(std::string_view text) {
    static const NumberFormatter kFileNumbers(NumberSymbols::forDecSep('.'));
    return kFileNumbers.read(text);
}

long long fileWhole(std::string_view text, double low, double high) {
    const double value = std::nearbyint(fileNumber(text));
    if (std::isnan(value)) return 0;
    return static_cast<long long>(std::clamp(value, low, high));
}

int fileInt(std::string_view text) {
    return static_cast<int>(fileWhole(text, -2147483648.0, 2147483647.0));
}

int fileShort(std::string_view text) {
    return static_cast<int>(fileWhole(text, -32768.0, 32767.0));
}

double rowNumber(std::string_view text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc() && stop == end) return static_cast<double>(value);
    return fileNumber(text);
}

std::vector<CutField> cutLongFields(Fields& fields, size_t maxBytes) {
    std::vector<CutField> cut;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].size() <= maxBytes) continue;
        cut.push_back({i, fields[i].size()});
        fields[i] = cutAt(fields[i], maxBytes);
    }
    return cut;
}

void FieldCleaner::clean(Fields& fields) {
    cleaned_.clear();
    cleaned_.reserve(fields.size());  // the views below must not move
    for (std::string_view& field : fields) {
        if (!needsCellText(field)) continue;
        cleaned_.push_back(cellText(field));
        field = cleaned_.back();
    }
}

}  // namespace talvex
