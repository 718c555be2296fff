#include "devices/ModemCommands.h"

namespace talvex::modem {

namespace {
constexpr int kDoubleZeroKey = 10;
constexpr int kDecimalKey = 11;
constexpr int kRefKey = 12;
}  // namespace

std::string commandLine(std::string_view command) {
    return std::string(command) + ";\r";
}

std::optional<char> toneOfKey(int key) {
    if (key >= 0 && key <= 9) return static_cast<char>('0' + key);
    if (key == kDoubleZeroKey) return '*';
    if (key == kDecimalKey || key == kRefKey) return '#';
    return std::nullopt;
}

std::string nextLogonGroup(std::string& sendString) {
    const size_t end = sendString.find(';');
    std::string group = sendString.substr(0, end);
    sendString.erase(0, end == std::string::npos ? std::string::npos : end + 1);
    return group;
}

}  // namespace talvex::modem
