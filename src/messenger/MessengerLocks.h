#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "messenger/MessengerRecord.h"

namespace talvex {

// The panel's hint: what a click and a double-click will do.
std::string messengerHint(const MessengerRecord& record);

// A click on the panel opens the settings only while Edit Lock is off.
inline bool clickOpensSettings(const MessengerRecord& record) {
    return !record.editLock;
}

// Edit Lock with a password asks for it before the settings open; without one it only stops
// the click on the panel.
inline bool settingsNeedPassword(const MessengerRecord& record) {
    return record.editLock && !record.password.empty();
}

// The address a double-click opens, when "Launch:" is on and there is one.
std::optional<std::string> launchAddress(const MessengerRecord& record);

// The password prompt's state: its caption, and whether a typed password opens the settings.
// There is no limit on attempts; a wrong one only changes the caption.
class PasswordPrompt {
  public:
    static constexpr std::string_view kCaption = "Messenger is Password protected";
    static constexpr std::string_view kWrongCaption = "Password is incorrect";

    explicit PasswordPrompt(std::string password) : password_(std::move(password)) {}

    // Exact, case-sensitive comparison: blanks count.
    bool submit(std::string_view typed);
    std::string_view caption() const { return wrong_ ? kWrongCaption : kCaption; }

  private:
    std::string password_;
    bool wrong_ = false;
};

}  // namespace talvex
