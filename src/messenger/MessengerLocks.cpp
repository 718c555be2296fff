#include "messenger/MessengerLocks.h"

namespace talvex {

namespace {

constexpr std::string_view kHint = "Talvex Messenger.";
constexpr std::string_view kClickHint = "Click to Edit.";
constexpr std::string_view kLaunchHint = "DoubleClick to Launch Web Address.";

}  // namespace

std::string messengerHint(const MessengerRecord& record) {
    std::string hint(kHint);
    if (!record.editLock) hint += "  " + std::string(kClickHint);
    if (record.isOn(MessengerSwitch::launch)) hint += "  " + std::string(kLaunchHint);
    return hint;
}

std::optional<std::string> launchAddress(const MessengerRecord& record) {
    if (!record.isOn(MessengerSwitch::launch) || record.address.empty()) return std::nullopt;
    return record.address;
}

bool PasswordPrompt::submit(std::string_view typed) {
    wrong_ = typed != password_;
    return !wrong_;
}

}  // namespace talvex
