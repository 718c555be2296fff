#include "devices/SectionFile.h"

#include <algorithm>
#include <cstdlib>

namespace talvex {

namespace {

constexpr std::string_view kNoteField = "T";
constexpr std::string_view kDatePlaceholder = "$date";

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.emplace_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

std::string replaceAll(std::string text, std::string_view what, std::string_view with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// The leading number of a text, 0 when there is none.
double leadingNumber(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

SectionRecord parseSectionRecord(std::string_view line, std::string_view today) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> fields = splitFields(line);
    SectionRecord record;
    if (fields.front() == kNoteField) {
        record.note = true;
        record.noteText = std::string(line.substr(std::min(line.size(), kNoteField.size() + 1)));
        return record;
    }
    fields.resize(std::max<size_t>(fields.size(), 7));
    record.cells = {{2, fields[1]},
                    {3, replaceAll(fields[2], kDatePlaceholder, today)},
                    {4, fields[3]},
                    {7, fields[6]}};
    record.amount = leadingNumber(fields[4]);
    record.code = fields[5];
    return record;
}

}  // namespace talvex
