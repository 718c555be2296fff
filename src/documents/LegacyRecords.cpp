#include "documents/LegacyRecords.h"

#include "documents/SettingsPort.h"
#include "documents/TapeFields.h"

namespace talvex {

namespace {

// Colours are 32-bit values, kept with an offset in the earliest files.
constexpr double kColourOffset = 5000000000.0;
constexpr double kLowestColour = -2147483648.0;
constexpr double kHighestColour = 4294967295.0;

// Option numbers of the earliest files, renumbered to today's; -1 when there is none.
int optionNumber(int k) {
    if (k <= 9) return k;
    if (k <= 13) return k + 2;
    if (k == 14) return 17;
    if (k >= 17 && k <= 19) return k + 3;
    if (k == 20) return 16;
    if (k == 21) return 10;
    return -1;
}

int colourNumber(int k) {
    if (k >= 14 && k <= 19) return k + 3;
    return optionNumber(k);
}

}  // namespace

void LegacyRecords::read(std::string_view tag, int k, std::string_view v) {
    if (tag == "L") {
        settings_.setMessengerParameter(k >= 10 ? k + 1 : k, v);
        messenger_ = true;
    } else if (tag == "O") {
        const int option = optionNumber(k);
        if (k == 15 || k == 16) {
            settings_.setNumberFormatInteger(k - 12, fileShort(v));
        } else if (option >= 0) {
            settings_.setOption(option, fileShort(v));
            options_.set(static_cast<size_t>(option));
        }
    } else if (tag == "B") {
        const int colour = colourNumber(k);
        if (colour < 0) return;
        settings_.setColour(
            colour, fileWhole(v, kLowestColour + kColourOffset, kHighestColour + kColourOffset) -
                        static_cast<long long>(kColourOffset));
        colours_.set(static_cast<size_t>(colour));
    } else if (tag == "P") {
        settings_.setLayoutFlag(k, fileShort(v));
        layout_ = true;
    } else if (tag == "X") {
        settings_.setLayoutText(k, v);
        layout_ = true;
    }
}

void LegacyRecords::carryGroups() {
    for (size_t k = 0; k < kTargets; ++k) {
        if (options_.test(k)) settings_.carryGroupOfOption(static_cast<int>(k));
        if (colours_.test(k)) settings_.carryGroupOfColour(static_cast<int>(k));
    }
    if (layout_) carryGroup(settings_group::kPrinter);
    if (messenger_) carryGroup(settings_group::kMessenger);
}

void LegacyRecords::carryGroup(int group) {
    if (settings_.groupField(group, -1) == "0") settings_.setGroupField(group, -1, "1");
}

}  // namespace talvex
