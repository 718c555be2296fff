// The four settings groups that can travel with a tape (calculator, tape, printer, messenger):
// their field texts for the tape file, their storage in "Talvex.ini", and the option setter
// that applies an option to the engine the moment it changes. The calculator and tape groups
// are kept here; the printer and messenger groups belong to their modules, which own them here.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "documents/SettingsPort.h"
#include "shell/OwnedGroup.h"

namespace talvex {

class ConfigStore;
class Engine;
class OptionTable;

class SettingsGroups : public SettingsPort {
  public:
    static constexpr int kCalculatorOptionBits = 12;  // options 12 to 23
    static constexpr int kTapeOptionBits = 8;         // options 0 to 7
    static constexpr int kCalculatorColours = 12;     // colours 12 to 23
    static constexpr int kTapeColours = 11;           // colours 0 to 10

    // Reads "StarLine" and "ResultLine" and gives the engine their switches (nonzero is on).
    SettingsGroups(Engine& engine, OptionTable& options, ConfigStore& config);

    // A module's group: its fields travel with the tape and its storage is its own.
    void own(int group, OwnedGroup& owner);

    std::string groupField(int group, int index) const override;
    void setGroupField(int group, int index, std::string_view text) override;

    // The option setter: stores the option and applies what the engine owns at once.
    void setOption(int option, int value) override;
    void setColour(int colour, long long value) override;
    void setNumberFormatInteger(int index, int value) override;
    void carryGroupOfOption(int option) override;
    void carryGroupOfColour(int colour) override;
    int maxCols() const override;

    // "Reset Defaults" and "SaveAs Default" of the options dialog. False when a write failed.
    void loadGroup(int group);
    bool saveGroup(int group);
    // The current configuration's "Bars" key ("Talvex", or "VantCalc" when compact).
    void loadBars();
    bool saveBars();

    // The "Save with Tape" check box: stores the flag without reloading anything.
    int flag(int group) const;
    void setFlag(int group, int value);
    bool compact() const { return compact_; }
    void setCompact(bool compact);
    bool alwaysOnTop() const { return alwaysOnTop_; }
    void setAlwaysOnTop(bool on);
    bool bar(int index) const;
    void setBar(int index, bool on);
    long long starLine() const { return starLine_; }
    long long resultLine() const { return resultLine_; }

  private:
    std::string calculatorField(int index) const;
    std::string tapeField(int index) const;
    std::string numberFormat() const;
    std::string optionBits(int first, int count) const;
    std::string colours(int first, int count) const;
    std::string barsText() const;
    void setNumberFormat(std::string_view text);
    void setCountSettings(std::string_view text);
    void setOptionBits(std::string_view text, int first, int count);
    void carry(int index, int tapeCount, int calculatorCount);
    void setColours(std::string_view text, int first, int count);
    void setBars(std::string_view text);
    void applyOption(int option, int value);
    void applyAddFuncText(int value);

    void loadCalcOrTape(int group);
    void loadCompact(int group);
    bool saveCalcOrTape(int group);
    bool saveCompact(int group);

    Engine& engine_;
    OptionTable& options_;
    ConfigStore& config_;

    std::array<int, settings_group::kCount> flags_{};
    std::array<OwnedGroup*, settings_group::kCount> owners_{};
    bool compact_ = false;
    bool alwaysOnTop_ = false;
    std::array<std::array<bool, 2>, 2> bars_{{{true, true}, {false, false}}};  // normal, compact
    long long starLine_ = -1;
    long long resultLine_ = -1;
};

}  // namespace talvex
