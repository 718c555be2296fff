#include "messenger/MessengerRecord.h"

#include <algorithm>
#include <cstdio>

#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr unsigned kSwitchMask = (1U << MessengerRecord::kSwitches) - 1;
// The picture file names share field 0 with "|" between them. Field 0 begins the stored value
// and the password ends it, and the configuration file trims a value's outer blanks: their
// blanks are written as "%20", so a password ending in a blank still opens the settings.
constexpr std::string_view kFileSpecial = ",%]| ";
constexpr std::string_view kPasswordSpecial = ",%] ";

int placementValue(std::string_view text) {
    const int value = leadingInt(text);
    return value < placement::kNone || value > placement::kLast ? placement::kNone : value;
}

std::string twoParts(std::string_view first, std::string_view second, char separator) {
    return std::string(first) + separator + std::string(second);
}

// "a|b" into its parts; the part after the separator may be absent.
std::pair<std::string_view, std::string_view> splitAt(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + 1)};
}

}  // namespace

void MessengerRecord::setSwitch(MessengerSwitch s, bool on) {
    const unsigned bit = 1U << static_cast<int>(s);
    switches = on ? (switches | bit) : (switches & ~bit);
}

std::string MessengerRecord::field(int index) const {
    switch (index) {
        case 0: {
            std::string files = encodeMessengerItem(logoFile, kFileSpecial);
            if (!wallpaperFile.empty())
                files += "|" + encodeMessengerItem(wallpaperFile, kFileSpecial);
            return files;
        }
        case 1:
            return twoParts(std::to_string(logoPlacement), std::to_string(wallpaperPlacement), '|');
        case 2:
            return encodeMessengerItem(text);
        case 3:
            return std::to_string(textPosition);
        case 4:
            return std::to_string(bevel);
        case 5:
            return std::to_string(bevelSides);
        case 6:
            return std::to_string(bevelWidth);
        case 7:
            return std::to_string(borderWidth);
        case 8:
            return twoParts(std::to_string(minHeight), std::to_string(maxHeight), ':');
        case 9:
            return std::to_string(textColour);
        case 10:
            return std::to_string(backColour);
        case 11:
            return viewLock ? "1" : "0";
        case 12:
            return editLock ? "1" : "0";
        case 13:
            return std::to_string(switches);
        case 14:
            return encodeMessengerItem(address);
        case 15:
            return encodeMessengerItem(password, kPasswordSpecial);
        default:
            return {};
    }
}

void MessengerRecord::setField(int index, std::string_view value) {
    switch (index) {
        case 0: {
            const auto [logo, wallpaper] = splitAt(value, '|');
            logoFile = decodeMessengerItem(logo, true);
            wallpaperFile = decodeMessengerItem(wallpaper, true);
            break;
        }
        case 1: {
            const auto [logo, wallpaper] = splitAt(value, '|');
            logoPlacement = placementValue(logo);
            wallpaperPlacement = placementValue(wallpaper);
            break;
        }
        case 2:
            text = decodeMessengerItem(value);
            break;
        case 3:
            textPosition = std::clamp(leadingInt(value), 0, 8);
            break;
        case 4:
            bevel = std::clamp(leadingInt(value), 0, 9);
            break;
        case 5:
            bevelSides = std::clamp(leadingInt(value), 0, 2);
            break;
        case 6:
            bevelWidth = std::max(0, leadingInt(value));
            break;
        case 7:
            borderWidth = std::max(0, leadingInt(value));
            break;
        case 8: {
            const auto [least, most] = splitAt(value, ':');
            minHeight = std::max(0, leadingInt(least));
            maxHeight = std::max(minHeight, leadingInt(most));
            break;
        }
        case 9:
            textColour = leadingInteger(value);
            break;
        case 10:
            backColour = leadingInteger(value);
            break;
        case 11:
            viewLock = leadingInteger(value) != 0;
            break;
        case 12:
            editLock = leadingInteger(value) != 0;
            break;
        case 13:
            switches = static_cast<unsigned>(leadingInteger(value)) & kSwitchMask;
            break;
        case 14:
            address = decodeMessengerItem(value);
            break;
        case 15:
            password = decodeMessengerItem(value, true);
            break;
        default:
            break;
    }
}

std::string joinMessengerRecord(const MessengerRecord& record) {
    std::vector<std::string> fields;
    for (int i = 0; i < MessengerRecord::kFields; ++i) fields.push_back(record.field(i));
    return joinText(fields, ',');
}

std::string encodeMessengerItem(std::string_view text, std::string_view special) {
    std::string result;
    for (const char c : text) {
        if (special.find(c) == std::string_view::npos) {
            result += c;
            continue;
        }
        char code[4];
        std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
        result += code;
    }
    return result;
}

// Only the sequences the encoder writes are read back; any other "%" is kept as typed.
std::string decodeMessengerItem(std::string_view text, bool blanks) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string_view code = text.substr(i, 3);
        if (code == "%2C" || code == "%2c") {
            result += ',';
        } else if (code == "%25") {
            result += '%';
        } else if (code == "%7C" || code == "%7c") {
            result += '|';
        } else if (code == "%5D" || code == "%5d") {
            result += ']';
        } else if (blanks && code == "%20") {
            result += ' ';
        } else {
            result += text[i];
            continue;
        }
        i += 2;
    }
    return result;
}

}  // namespace talvex
