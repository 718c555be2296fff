// A menu section file of a phone service: one record per line, fields separated by ",".
// A record starting "T" is a note for the tape; any other is a transaction.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvex {

struct SectionRecord {
    bool note = false;
    std::string noteText;
    // Physical columns 2, 3, 4 and 7 and the texts they receive ("$date" already replaced).
    std::vector<std::pair<int, std::string>> cells;
    double amount = 0;
    std::string code;
};

// One line of a section file; today replaces each "$date" of the third field.
SectionRecord parseSectionRecord(std::string_view line, std::string_view today);

}  // namespace talvex
