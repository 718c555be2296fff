#pragma once

#include <string>
#include <string_view>

namespace talvex {

// The nine switches of field 13, by bit. Bits 3 to 8 belong to the browser links; they are
// kept here because they travel in the same record.
enum class MessengerSwitch {
    launch = 0,  // "Launch:" a double-click opens the address
    active = 1,  // "Active:" the address shows in the browser
    maxWidth = 2,
    autoLaunchHyperlinked = 3,
    autoScrollToHyperlinked = 4,
    launchMostRecent = 5,
    snapToTop = 6,
    relaunchCurrent = 7,
    autoAddDescription = 8,
};

// Placement codes of the two pictures; -1 shows none. 0 to 8 run left to right in columns of
// top, centre, bottom; the text position uses 0 to 8 alone.
namespace placement {
inline constexpr int kNone = -1;
inline constexpr int kCenterCenter = 4;
inline constexpr int kStretch = 9;
inline constexpr int kTile = 10;
inline constexpr int kLast = kTile;
}  // namespace placement

// The indexes of the fields that other parts of the program set or watch.
namespace messenger_field {
inline constexpr int kPictures = 1;
inline constexpr int kHeights = 8;
inline constexpr int kViewLock = 11;
inline constexpr int kSwitches = 13;
inline constexpr int kAddress = 14;
}  // namespace messenger_field

// The messenger's whole configuration: 16 fields, index 0 to 15, in the order of the stored
// record. The defaults show the logo centred with its text at the bottom, black on white.
struct MessengerRecord {
    static constexpr int kFields = 16;
    static constexpr int kSwitches = 9;

    std::string logoFile = "Talvex.bmp";
    std::string wallpaperFile;
    int logoPlacement = placement::kCenterCenter;
    int wallpaperPlacement = placement::kCenterCenter;
    std::string text = "Check us out at talvex.example";
    int textPosition = 5;
    int bevel = 4;
    int bevelSides = 0;
    int bevelWidth = 1;
    int borderWidth = 2;
    int minHeight = 5;  // in units of 300 twips
    int maxHeight = 6;
    long long textColour = 0;
    long long backColour = 16777215;
    bool viewLock = true;
    bool editLock = false;
    unsigned switches = 56;
    std::string address = "https://talvex.example/";
    std::string password;

    bool isOn(MessengerSwitch s) const { return (switches >> static_cast<int>(s)) & 1U; }
    void setSwitch(MessengerSwitch s, bool on);

    // One field as the stored record writes it, and setting it from such a text. Non-numeric
    // text in a number field reads as 0; indexes outside 0 to 15 are ignored.
    std::string field(int index) const;
    void setField(int index, std::string_view text);

    bool operator==(const MessengerRecord&) const = default;
};

// The record as one comma-joined text (not yet scrambled), and the fields of such a text. A
// "," or "%" inside a field is written as "%2C" or "%25", so a password or address holding a
// comma cannot shift the fields after it; records without these sequences read as before.
// "]" is written as "%5D" too: it is the character the scrambler turns into ".", so a
// scrambled record can never end its first field in ".bmp" and be mistaken for a plain one.
std::string joinMessengerRecord(const MessengerRecord& record);
std::string encodeMessengerItem(std::string_view text, std::string_view special = ",%]");
// Blanks are decoded only in the fields that encode them (the file names and the password).
std::string decodeMessengerItem(std::string_view text, bool blanks = false);

}  // namespace talvex
