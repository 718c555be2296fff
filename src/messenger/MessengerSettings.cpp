#include "messenger/MessengerSettings.h"

#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kLogo = "Logo";

}  // namespace

std::string MessengerSettings::field(int index) const {
    return index == 0 ? parameters_ : std::string();
}

void MessengerSettings::setField(int index, std::string_view text) {
    if (index == 0) parameters_ = text;
}

void MessengerSettings::load(const ConfigStore& config) {
    const std::string parameters = config.getLongSetting(config_section::kLogo, kLogo, "");
    if (!parameters.empty()) setField(0, parameters);
}

bool MessengerSettings::save(ConfigStore& config) const {
    return config.putSetting(config_section::kLogo, kLogo, field(0));
}

void MessengerSettings::setParameter(int index, std::string_view text) {
    if (index < 0 || index >= kParameters) return;
    parameters_ = withItem(parameters_, index, kParameters, text);
}

}  // namespace talvex
