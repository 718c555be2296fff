// The option setter and the single-value setters that records of earlier file versions use.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "engine/Engine.h"
#include "shell/OptionTable.h"
#include "shell/SettingText.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

// Items of a comma-joined list, padded to count so any item can be replaced. A "," in the new
// item would shift every item after it, so it becomes a blank.
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

}  // namespace

void SettingsGroups::setOption(int option, int value) {
    if (!options_.setOption(option, value)) return;
    applyOption(option, value);
    notify(listener_.optionChanged, option);
}

// The engine's own switches change here; everything else is the window's to apply when told.
void SettingsGroups::applyOption(int option, int value) {
    TapeSettings& tape = engine_.settings();
    switch (option) {
        case OptionTable::kTapeOn:
            engine_.setTapeOn(value != 0);
            break;
        case OptionTable::kAutoClearText:
            tape.autoClearText = value != 0;
            break;
        case OptionTable::kAutoSubtotalText:
            tape.autoSubtotalText = value != 0;
            break;
        case OptionTable::kAutoTotalText:
            tape.autoTotalText = value != 0;
            break;
        case OptionTable::kAutoAddFuncText:
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
    if (options_.setColour(colour, value)) notify(listener_.colourChanged, colour);
}

void SettingsGroups::setNumberFormatInteger(int index, int value) {
    if (index >= 0 && index < 5) engine_.setCalcOption(index, value);
}

void SettingsGroups::setMessengerParameter(int index, std::string_view text) {
    if (index < 0 || index >= kMessengerParameters) return;
    messengerText_ = withItem(messengerText_, index, kMessengerParameters, text);
}

void SettingsGroups::setLayoutFlag(int index, int value) {
    if (index < 0 || index >= kLayoutFlags) return;
    auto flags =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(leadingInteger(layoutFlags_)));
    const std::uint32_t bit = std::uint32_t{1} << index;
    flags = value != 0 ? flags | bit : flags & ~bit;
    layoutFlags_ = std::to_string(flags);
}

void SettingsGroups::setLayoutText(int index, std::string_view text) {
    if (index < 0 || index >= kLayoutTexts) return;
    layoutTexts_ = withItem(layoutTexts_, index, kLayoutTexts, text);
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
    notify(listener_.barsChanged);
}

void SettingsGroups::setAlwaysOnTop(bool on) {
    alwaysOnTop_ = on;
    notify(listener_.alwaysOnTopChanged);
}

bool SettingsGroups::bar(int index) const {
    return index >= 0 && index < 2 && bars_[compact_ ? 1 : 0][static_cast<size_t>(index)];
}

void SettingsGroups::setBar(int index, bool on) {
    if (index < 0 || index >= 2) return;
    bars_[compact_ ? 1 : 0][static_cast<size_t>(index)] = on;
    notify(listener_.barsChanged);
}

}  // namespace talvex
