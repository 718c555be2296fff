// The settings groups' storage in "Talvex.ini": "SaveAs Default" writes a group's fields there,
// "Reset Defaults" and tapes without the group read them back.
#include "shell/ConfigStore.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

namespace section = config_section;

constexpr std::string_view kFormat = "Format";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kColors = "Colors";
constexpr std::string_view kAlwaysOnTop = "AlwaysOnTop";
constexpr std::string_view kBars = "Bars";

std::string_view groupSection(int group) {
    return group == settings_group::kCalculator ? section::kCalculator : section::kTape;
}

// "Opts" + group + field: Opts01, Opts02, Opts11, Opts12.
std::string compactKey(int group, int field) {
    return "Opts" + std::to_string(group) + std::to_string(field);
}

bool isCalcOrTape(int group) {
    return group == settings_group::kCalculator || group == settings_group::kTape;
}

}  // namespace

void SettingsGroups::loadGroup(int group) {
    if (isCalcOrTape(group)) {
        compact_ ? loadCompact(group) : loadCalcOrTape(group);
    } else if (group >= 0 && group < settings_group::kCount && owners_[group]) {
        owners_[group]->load(config_);
    }
}

bool SettingsGroups::saveGroup(int group) {
    if (isCalcOrTape(group)) return compact_ ? saveCompact(group) : saveCalcOrTape(group);
    if (group >= 0 && group < settings_group::kCount && owners_[group])
        return owners_[group]->save(config_);
    return false;
}

void SettingsGroups::loadBars() {
    setGroupField(settings_group::kCalculator, 3,
                  config_.bars(compact_ ? section::kVantCalc : section::kTalvex));
}

bool SettingsGroups::saveBars() {
    return config_.writeBars(compact_ ? section::kVantCalc : section::kTalvex, barsText());
}

// Group values are read whole: the joined texts can be longer than a single setting's limit,
// and cutting them would lose the last items for good at the next save.
void SettingsGroups::loadCalcOrTape(int group) {
    const std::string_view from = groupSection(group);
    const std::string format = config_.getLongSetting(from, kFormat, "");
    const std::string colours = config_.getLongSetting(from, kColors, "");
    const std::string options = config_.getLongSetting(from, kOptions, "");
    if (!format.empty()) setGroupField(group, 0, format);
    if (!colours.empty()) setGroupField(group, 2, colours);
    if (!options.empty()) setGroupField(group, 1, options);
}

void SettingsGroups::loadCompact(int group) {
    setAlwaysOnTop(config_.alwaysOnTop());
    setGroupField(group, 3, config_.bars(section::kVantCalc));
    const std::string format = config_.getLongSetting(groupSection(group), kFormat, "");
    const std::string options =
        config_.getLongSetting(section::kVantCalc, compactKey(group, 1), "");
    const std::string colours =
        config_.getLongSetting(section::kVantCalc, compactKey(group, 2), "");
    if (!format.empty()) setGroupField(group, 0, format);
    if (!options.empty()) setGroupField(group, 1, options);
    if (!colours.empty()) setGroupField(group, 2, colours);
}

bool SettingsGroups::saveCalcOrTape(int group) {
    const std::string_view to = groupSection(group);
    bool saved = config_.putSetting(to, kFormat, groupField(group, 0));
    saved = config_.putSetting(to, kOptions, groupField(group, 1)) && saved;
    return config_.putSetting(to, kColors, groupField(group, 2)) && saved;
}

// The compact configuration keeps its own bars and option fields but shares the number format.
// The tape group has no number format, so it writes its empty one to its own section and never
// over the calculator's.
bool SettingsGroups::saveCompact(int group) {
    bool saved = config_.putSetting(section::kVantCalc, kAlwaysOnTop, alwaysOnTop_ ? "1" : "0");
    saved = config_.putSetting(section::kVantCalc, kBars, groupField(group, 3)) && saved;
    saved = config_.putSetting(groupSection(group), kFormat, groupField(group, 0)) && saved;
    saved =
        config_.putSetting(section::kVantCalc, compactKey(group, 1), groupField(group, 1)) && saved;
    return config_.putSetting(section::kVantCalc, compactKey(group, 2), groupField(group, 2)) &&
           saved;
}

}  // namespace talvex
