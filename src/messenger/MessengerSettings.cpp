#include "messenger/MessengerSettings.h"

#include "documents/LogoScrambler.h"
#include "messenger/MessengerPanelPort.h"
#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kLogo = "Logo";

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string storedMessengerText(const MessengerRecord& record) {
    return scrambleLogo(joinMessengerRecord(record));
}

std::string plainMessengerText(std::string_view stored) {
    const std::string_view first = stored.substr(0, stored.find(','));
    return endsWith(first, ".bmp") ? std::string(stored) : unscrambleLogo(stored);
}

std::string MessengerSettings::field(int index) const {
    return index == 0 ? joinMessengerRecord(record_) : std::string();
}

void MessengerSettings::setField(int index, std::string_view text) {
    if (index == 0) apply(messengerFromText(text));
}

// An empty or missing key gives the default messenger.
MessengerRecord configuredMessenger(const ConfigStore& config) {
    const std::string stored = config.getLongSetting(config_section::kLogo, kLogo, "");
    return stored.empty() ? MessengerRecord{} : messengerFromText(plainMessengerText(stored));
}

// A short record takes the defaults for the fields it lacks, so what shows never depends on
// the messenger that was there before.
MessengerRecord messengerFromText(std::string_view text) {
    MessengerRecord record;
    const std::vector<std::string> fields = splitText(text, ',');
    for (int i = 0; i < MessengerRecord::kFields && i < static_cast<int>(fields.size()); ++i)
        record.setField(i, fields[static_cast<size_t>(i)]);
    return record;
}

void MessengerSettings::load(const ConfigStore& config) {
    apply(configuredMessenger(config));
}

bool MessengerSettings::save(ConfigStore& config) const {
    return config.putSetting(config_section::kLogo, kLogo, storedMessengerText(record_));
}

void MessengerSettings::setParameter(int index, std::string_view text) {
    if (index < 0 || index >= kParameters) return;
    record_.setField(index, text);
    if (panel_) panel_->messengerFieldApplied(index, record_);
}

void MessengerSettings::apply(const MessengerRecord& record) {
    for (int i = 0; i < kParameters; ++i) setParameter(i, record.field(i));
}

}  // namespace talvex
