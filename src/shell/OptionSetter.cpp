// The option setter and the single-value setters that records of earlier file versions use.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "shell/OptionTable.h"
#include "shell/SettingText.h"
#include "shell/SettingsGroups.h"

namespace talvex {

void SettingsGroups::setOption(int option, int value) {
    if (!options_.setOption(option, value)) return;
    applyOption(option, value);
}

// The engine's own switches change here; everything else is the window's to apply when told.
void SettingsGroups::applyOption(int option, int value) {
    TapeSettings& tape = engine_.settings();
    switch (option) {
        case option::kTapeOn:
            engine_.setTapeOn(value != 0);
            break;
        case option::kAutoClearText:
            tape.autoClearText = value != 0;
            break;
        case option::kAutoSubtotalText:
            tape.autoSubtotalText = value != 0;
            break;
        case option::kAutoTotalText:
            tape.autoTotalText = value != 0;
            break;
        case option::kAutoAddFuncText:
            applyAddFuncText(value);
            break;
        default:
            break;
    }
}

// A "StarLine" or "ResultLine" of -1 in the configuration pins that switch on for good.
void SettingsGroups::applyAddFuncText(int value) {
    engine_.settings().autoAddFuncText = value != 0;
    if (starLine_ != -1) starLine_ = value;
    if (resultLine_ != -1) resultLine_ = value;
    engine_.settings().starLine = starLine_ != 0;
    engine_.settings().resultLine = resultLine_ != 0;
}

void SettingsGroups::setColour(int colour, long long value) {
    options_.setColour(colour, value);
}

void SettingsGroups::setNumberFormatInteger(int index, int value) {
    if (index >= 0 && index < 5) engine_.setCalcOption(index, value);
}

int SettingsGroups::flag(int group) const {
    return group >= 0 && group < settings_group::kCount ? flags_[group] : 0;
}

void SettingsGroups::setFlag(int group, int value) {
    if (group >= 0 && group < settings_group::kCount) {
        flags_[group] = std::clamp(value, INT16_MIN, INT16_MAX);
    }
}

void SettingsGroups::setCompact(bool compact) {
    compact_ = compact;
}

void SettingsGroups::setAlwaysOnTop(bool on) {
    alwaysOnTop_ = on;
}

bool SettingsGroups::bar(int index) const {
    return index >= 0 && index < 2 && bars_[compact_ ? 1 : 0][static_cast<size_t>(index)];
}

void SettingsGroups::setBar(int index, bool on) {
    if (index < 0 || index >= 2) return;
    bars_[compact_ ? 1 : 0][static_cast<size_t>(index)] = on;
}

}  // namespace talvex
