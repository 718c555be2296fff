// The Hayes commands the dialler sends. Every line ends in ";" and a carriage return: the ";"
// after a dial string keeps the modem in command mode, so later dial commands send further
// tones on the same call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex::modem {

inline constexpr const char* kDial = "ATDT";
// The hang-up command carries its own carriage return before the common ending.
inline constexpr const char* kHangUp = "ATH0\r";

// The bytes that go over the line for a command text.
std::string commandLine(std::string_view command);
// The tone a keypad key sends while digits go to the modem: 0 to 9 themselves, the "00" key
// "*", the decimal point and Ref "#"; other keys send nothing.
std::optional<char> toneOfKey(int key);
// Takes the next logon group off the front of the Send text (up to ";", the rest stays).
std::string nextLogonGroup(std::string& sendString);

}  // namespace talvex::modem
