#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace talvex {

class SettingsPort;

// The settings records of earlier file versions ("L", "O", "B", "P", "X"), one value a field:
// messenger parameters, options, colours and the page layout, numbered their own way.
class LegacyRecords {
  public:
    explicit LegacyRecords(SettingsPort& settings) : settings_(settings) {}

    // Field k (from 0) of the record with this tag holds v.
    void read(std::string_view tag, int k, std::string_view v);
    // A group given values by these records is the tape's own, whatever flag a later record
    // gives it: with the flag left at 0 the values would show now and be gone after the next
    // save. Called once the whole file has been read.
    void carryGroups();

  private:
    // The options and colours these records can set are numbered below this.
    static constexpr size_t kTargets = 23;

    void carryGroup(int group);

    SettingsPort& settings_;
    std::bitset<kTargets> options_;
    std::bitset<kTargets> colours_;
    bool layout_ = false;
    bool messenger_ = false;
};

}  // namespace talvex
