#include "printing/PrinterSettings.h"

#include <cstdint>

#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kOptions = "Options";
constexpr std::string_view kTexts = "Texts";

}  // namespace

std::string PrinterSettings::field(int index) const {
    return index == 0 ? layoutFlags_ : index == 1 ? layoutTexts_ : std::string();
}

void PrinterSettings::setField(int index, std::string_view text) {
    if (index == 0) layoutFlags_ = text;
    if (index == 1) layoutTexts_ = text;
}

void PrinterSettings::load(const ConfigStore& config) {
    const std::string flags = config.getLongSetting(config_section::kPrinter, kOptions, "");
    const std::string texts = config.getLongSetting(config_section::kPrinter, kTexts, "");
    if (!flags.empty()) setField(0, flags);
    if (!texts.empty()) setField(1, texts);
}

bool PrinterSettings::save(ConfigStore& config) const {
    const bool flags = config.putSetting(config_section::kPrinter, kOptions, field(0));
    return config.putSetting(config_section::kPrinter, kTexts, field(1)) && flags;
}

void PrinterSettings::setLayoutFlag(int index, int value) {
    if (index < 0 || index >= kLayoutFlags) return;
    auto flags =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(leadingInteger(layoutFlags_)));
    const std::uint32_t bit = std::uint32_t{1} << index;
    flags = value != 0 ? flags | bit : flags & ~bit;
    layoutFlags_ = std::to_string(flags);
}

void PrinterSettings::setLayoutText(int index, std::string_view text) {
    if (index < 0 || index >= kLayoutTexts) return;
    layoutTexts_ = withItem(layoutTexts_, index, kLayoutTexts, text);
}

}  // namespace talvex
