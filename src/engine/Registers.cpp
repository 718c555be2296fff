#include "engine/Registers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "engine/NumberFormat.h"

namespace talvex {

namespace {

void appendNumber(std::string& text, int number) {
    std::array<char, 12> digits;
    text.append(digits.data(), std::to_chars(digits.begin(), digits.end(), number).ptr);
}

// The raw entry and the display value are figures; what follows a field separator in one (taken
// from a damaged cell) would move every later field of the record when it is read back. A byte
// loop: a search for either of two characters looks both up for every byte.
std::string_view fieldText(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && text[end] != ':' && text[end] != '|') ++end;
    return text.substr(0, end);
}

void appendRawEntry(std::string& record, std::string_view rawEntry, char decSep) {
    const std::string_view raw = fieldText(rawEntry);
    record += raw;
    if (!raw.empty() && raw.find(decSep) == std::string_view::npos) record += decSep;
}

// Item counts are whole numbers; a damaged record must not turn into undefined behaviour.
int toCount(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}

}  // namespace

std::string makeRegisterRecord(const Registers& regs, const NumberFormatter& format) {
    // Written for every line a recalculation passes, so it is built in one string.
    std::string record;
    record.reserve(96);
    appendRawEntry(record, regs.rawEntry, format.decSep());
    record += ':';
    record += fieldText(regs.displayValue);
    record += ':';
    record += format.exact(regs.accumulator);
    record += '|';
    appendNumber(record, regs.itemCount);
    record += ':';
    record += format.exact(regs.operand);
    record += ':';
    appendNumber(record, regs.pendingMode);
    return record;
}

std::string recordRawEntry(std::string_view record, RecordLayout layout, char decSep) {
    std::string raw;
    appendRawEntry(raw, recordField(record, 1, layout), decSep);
    return raw;
}

int recordFieldCount(std::string_view record) {
    return static_cast<int>(std::count(record.begin(), record.end(), ':')) + 1;
}

std::optional<RecordLayout> recordLayoutOf(std::string_view record) {
    const size_t bar = record.find('|');
    if (bar == std::string_view::npos) return std::nullopt;
    const auto before = std::count(record.begin(), record.begin() + static_cast<long>(bar), ':');
    if (before == 2) return RecordLayout::withRawEntry;
    if (before == 1) return RecordLayout::withoutRawEntry;
    return std::nullopt;
}

bool isRegisterRecord(std::string_view cell) {
    return cell.find(':') != std::string_view::npos;
}

std::string_view recordField(std::string_view record, int field, RecordLayout layout) {
    if (layout == RecordLayout::withoutRawEntry) --field;
    if (field < 1) return {};
    size_t start = 0;
    for (int i = 1; i < field; ++i) {
        const size_t colon = record.find(':', start);
        if (colon == std::string_view::npos) return {};
        start = colon + 1;
    }
    const size_t end = record.find(':', start);
    return record.substr(start,
                         end == std::string_view::npos ? std::string_view::npos : end - start);
}

void readRegisterRecord(std::string_view record, RecordLayout layout, const NumberFormatter& format,
                        Registers& regs) {
    regs.displayValue = std::string(recordField(record, 2, layout));
    const std::string_view sums = recordField(record, 3, layout);
    const size_t bar = sums.find('|');
    regs.accumulator = format.read(sums.substr(0, bar));
    regs.itemCount = bar == std::string_view::npos ? 0 : toCount(format.read(sums.substr(bar + 1)));
    regs.operand = format.read(recordField(record, 4, layout));
    regs.pendingMode = toCount(format.read(recordField(record, 5, layout)));
}

}  // namespace talvex
