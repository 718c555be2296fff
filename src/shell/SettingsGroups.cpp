// The field texts of the settings groups as the tape file carries them, and applying them.
#include "shell/SettingsGroups.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "engine/Engine.h"
#include "engine/Text.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::array<std::string_view, settings_group::kCount> kTags{"Clc", "Tpe", "Prt", "Lgo"};
constexpr int kNumberFormatIntegers = 5;
constexpr int kTapeFirstColour = 0;
constexpr int kCalculatorFirst = 12;  // the first option and colour of the calculator group

bool validGroup(int group) {
    return group >= 0 && group < settings_group::kCount;
}

// The save-with-tape flags are 16-bit in the file format.
int flagValue(std::string_view text) {
    const long long value = leadingInteger(text);
    return static_cast<int>(std::clamp<long long>(value, INT16_MIN, INT16_MAX));
}

bool present(std::string_view item) {
    return !trimmed(item).empty();
}

}  // namespace

SettingsGroups::SettingsGroups(Engine& engine, OptionTable& options, ConfigStore& config)
    : engine_(engine), options_(options), config_(config) {
    starLine_ = config_.starLine();
    resultLine_ = config_.resultLine();
    engine_.settings().starLine = starLine_ != 0;
    engine_.settings().resultLine = resultLine_ != 0;
}

// Every field is one TAB-separated field of one line in the tape file.
std::string SettingsGroups::groupField(int group, int index) const {
    if (!validGroup(group)) return {};
    if (index == -2) return std::string(kTags[group]);
    if (index == -1) return std::to_string(flags_[group]);
    switch (group) {
        case settings_group::kCalculator:
            return oneLine(calculatorField(index));
        case settings_group::kTape:
            return oneLine(tapeField(index));
        default:
            return owners_[group] ? oneLine(owners_[group]->field(index)) : std::string();
    }
}

void SettingsGroups::own(int group, OwnedGroup& owner) {
    if (validGroup(group)) owners_[group] = &owner;
}

void SettingsGroups::setGroupField(int group, int index, std::string_view text) {
    if (!validGroup(group)) return;
    if (index == -1) {
        flags_[group] = flagValue(text);
        // A tape that does not carry the group shows the user's own settings.
        if (flags_[group] == 0) loadGroup(group);
        return;
    }
    const bool calculator = group == settings_group::kCalculator;
    if (owners_[group]) return owners_[group]->setField(index, text);
    if (index == 0 && calculator) setNumberFormat(text);
    if (index == 1) {
        setOptionBits(text, calculator ? kCalculatorFirst : 0,
                      calculator ? kCalculatorOptionBits : kTapeOptionBits);
    }
    if (index == 2) {
        setColours(text, calculator ? kCalculatorFirst : kTapeFirstColour,
                   calculator ? kCalculatorColours : kTapeColours);
    }
    if (index == 3) setBars(text);
}

void SettingsGroups::carryGroupOfOption(int option) {
    carry(option, kTapeOptionBits, kCalculatorOptionBits);
}

void SettingsGroups::carryGroupOfColour(int colour) {
    carry(colour, kTapeColours, kCalculatorColours);
}

// The tape group's values start at 0, the calculator's at kCalculatorFirst.
void SettingsGroups::carry(int index, int tapeCount, int calculatorCount) {
    int group = -1;
    if (index >= 0 && index < tapeCount) group = settings_group::kTape;
    if (index >= kCalculatorFirst && index < kCalculatorFirst + calculatorCount)
        group = settings_group::kCalculator;
    if (group >= 0 && flags_[group] == 0) flags_[group] = 1;
}

int SettingsGroups::maxCols() const {
    return config_.maxCols();
}

std::string SettingsGroups::calculatorField(int index) const {
    switch (index) {
        case 0:
            return numberFormat();
        case 1:
            return optionBits(kCalculatorFirst, kCalculatorOptionBits);
        case 2:
            return colours(kCalculatorFirst, kCalculatorColours);
        case 3:
            return barsText();
        default:
            return {};
    }
}

std::string SettingsGroups::tapeField(int index) const {
    switch (index) {
        case 1:
            return optionBits(0, kTapeOptionBits);
        case 2:
            return colours(kTapeFirstColour, kTapeColours);
        case 3:
            return barsText();
        default:
            return {};  // the tape group has no number format
    }
}

std::string SettingsGroups::numberFormat() const {
    std::vector<std::string> integers;
    for (int i = 0; i < kNumberFormatIntegers; ++i) {
        integers.push_back(std::to_string(engine_.format().option(i)));
    }
    const TapeSettings& tape = engine_.settings();
    return joinText(integers, ',') + ":" + (tape.countsOn ? "1" : "0") + "," +
           std::to_string(engine_.state().entry.groupMode) + "," + tape.countPrefix;
}

std::string SettingsGroups::optionBits(int first, int count) const {
    std::uint32_t bits = 0;
    for (int k = 0; k < count; ++k) {
        if (options_.option(first + k) != 0) bits |= std::uint32_t{1} << k;
    }
    return std::to_string(bits);
}

std::string SettingsGroups::colours(int first, int count) const {
    std::vector<std::string> values;
    for (int i = 0; i < count; ++i) values.push_back(std::to_string(options_.colour(first + i)));
    return joinText(values, ',');
}

std::string SettingsGroups::barsText() const {
    const auto& bars = bars_[compact_ ? 1 : 0];
    return std::string(bars[0] ? "1" : "0") + "," + (bars[1] ? "1" : "0");
}

// Integers, then ":" and CountsOn, GroupMode, CountPrefix. Only the parts present are applied,
// so a short or damaged field leaves the rest of the calculator as it was.
void SettingsGroups::setNumberFormat(std::string_view text) {
    const size_t colon = text.find(':');
    const std::vector<std::string> integers = splitText(text.substr(0, colon), ',');
    for (int i = 0; i < kNumberFormatIntegers && i < static_cast<int>(integers.size()); ++i) {
        if (present(integers[i])) engine_.setCalcOption(i, leadingInt(integers[i]));
    }
    if (colon != std::string_view::npos) setCountSettings(text.substr(colon + 1));
}

void SettingsGroups::setCountSettings(std::string_view text) {
    const size_t first = text.find(',');
    const std::string_view counts = text.substr(0, first);
    if (present(counts)) {
        engine_.settings().countsOn = leadingInteger(counts) != 0;
    }
    if (first == std::string_view::npos) return;
    const size_t second = text.find(',', first + 1);
    const std::string_view mode = text.substr(first + 1, second - first - 1);
    const long long groupMode = leadingInteger(mode);
    // Only the four modes the grand-total key knows; anything else would mislead the engine.
    if (present(mode) && groupMode >= group_mode::kGroupTotals && groupMode <= group_mode::kItems) {
        engine_.setGroupMode(static_cast<int>(groupMode));
    }
    // The prefix is the rest of the field, so a prefix holding "," survives the trip.
    if (second != std::string_view::npos) engine_.settings().countPrefix = text.substr(second + 1);
}

void SettingsGroups::setOptionBits(std::string_view text, int first, int count) {
    if (!present(text)) return;
    // Negative texts keep their low 32 bits, as a 32-bit integer would.
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uint64_t>(leadingInteger(text)));
    for (int k = 0; k < count; ++k) setOption(first + k, (bits >> k) & 1U ? 1 : 0);
}

void SettingsGroups::setColours(std::string_view text, int first, int count) {
    const std::vector<std::string> values = splitText(text, ',');
    for (int i = 0; i < count && i < static_cast<int>(values.size()); ++i) {
        if (present(values[i])) setColour(first + i, leadingInteger(values[i]));
    }
}

void SettingsGroups::setBars(std::string_view text) {
    const std::vector<std::string> values = splitText(text, ',');
    auto& bars = bars_[compact_ ? 1 : 0];
    for (size_t i = 0; i < bars.size() && i < values.size(); ++i) {
        if (present(values[i])) bars[i] = leadingInteger(values[i]) != 0;
    }
}

}  // namespace talvex
