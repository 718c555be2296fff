#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// The settings groups a tape can carry, by number.
namespace settings_group {
inline constexpr int kCalculator = 0;  // record "Clc"
inline constexpr int kTape = 1;        // record "Tpe"
inline constexpr int kPrinter = 2;     // record "Prt"
inline constexpr int kMessenger = 3;   // record "Lgo"
inline constexpr int kCount = 4;
}  // namespace settings_group

// Where the tape file reader and writer take the settings groups from and give them to. The
// file only moves texts; what a field means belongs to the settings. Index -2 is the group's
// tag, -1 its save-with-tape flag, 0 and up its value fields.
class SettingsPort {
  public:
    virtual ~SettingsPort() = default;

    virtual std::string groupField(int group, int index) const = 0;
    virtual void setGroupField(int group, int index, std::string_view text) = 0;
    // While a tape is read the setters skip their immediate refresh of the window.
    virtual void setLoading(bool /*loading*/) {}

    // Records of earlier file versions set single values.
    virtual void setOption(int /*option*/, int /*value*/) {}
    virtual void setColour(int /*colour*/, long long /*value*/) {}
    // Integer 0..4 of the calculator's number format (the calculator options).
    virtual void setNumberFormatInteger(int /*index*/, int /*value*/) {}
    // Such a record set an option or colour of a group: the tape carries that group, or its
    // next save would leave the value to the user's own settings.
    virtual void carryGroupOfOption(int /*option*/) {}
    virtual void carryGroupOfColour(int /*colour*/) {}
    virtual void setMessengerParameter(int /*index*/, std::string_view /*text*/) {}
    virtual void setLayoutFlag(int /*index*/, int /*value*/) {}
    virtual void setLayoutText(int /*index*/, std::string_view /*text*/) {}

    // The add-ins the two slots show (list indexes): a tape is saved with them and opens with
    // them again. Nothing when no add-ins run here: the tape keeps what it was read with.
    virtual std::optional<std::array<int, 2>> addinSlots() const { return std::nullopt; }
    // A tape's lines were read: its add-in slots, and what the add-ins rebuild from its lines.
    virtual void tapeRead(std::array<int, 2> /*indexes*/) {}

    // The most columns a tape may have (MaxCols), or 0 when nothing limits them.
    virtual int maxCols() const { return 0; }
};

}  // namespace talvex
