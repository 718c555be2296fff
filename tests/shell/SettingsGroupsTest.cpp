// The settings groups: their field texts, how they reach the engine, and their storage.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/Engine.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex::testing {
namespace {

using settings_group::kCalculator;
using settings_group::kMessenger;
using settings_group::kPrinter;
using settings_group::kTape;

struct Settings {
    explicit Settings(const std::string& ini = "") {
        if (!ini.empty()) writeFile(folder / "Talvex.ini", ini);
    }
    int option(int i) const { return options.option(i); }
    std::string ini() const { return readFile(config.path()); }

    TempFolder folder;
    ViewPort view;
    AddinPort addins;
    Engine engine{view, addins};
    OptionTable options;
    ConfigStore config{folder / "Talvex.ini"};
    SettingsGroups groups{engine, options, config};
};

TEST(SettingsGroupsTest, FieldsReadBackAsSet) {
    const struct {
        int group;
        int index;
        std::string text;
    } cases[] = {
        {kCalculator, 0, "3,2,0,1,0:1,2,#"},
        {kCalculator, 0, "0,3,4,0,1:0,0,"},
        {kCalculator, 1, "4095"},
        {kCalculator, 1, "1365"},
        {kCalculator, 2, "1,2,3,4,5,6,7,8,9,10,11,16777215"},
        {kCalculator, 3, "0,1"},
        {kTape, 1, "170"},
        {kTape, 2, "10,20,30,40,50,60,70,80,90,100,110"},
        {kTape, 3, "1,0"},
        {kPrinter, 0, "524289"},
        {kPrinter, 1, "Head,,Foot"},
        {kMessenger, 0, "logo.bmp,1,2"},
        {kMessenger, -1, "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.group) + "/" + std::to_string(c.index) + " " + c.text);
        Settings s;
        s.groups.setGroupField(c.group, c.index, c.text);
        EXPECT_EQ(s.groups.groupField(c.group, c.index), c.text);
    }
    Settings s;
    const char* tags[] = {"Clc", "Tpe", "Prt", "Lgo"};
    for (int group = 0; group < 4; ++group) EXPECT_EQ(s.groups.groupField(group, -2), tags[group]);
    EXPECT_EQ(s.groups.groupField(kTape, 0), "");
    EXPECT_EQ(s.groups.groupField(kCalculator, 4), "");
    EXPECT_EQ(s.groups.groupField(7, 0), "");
}

TEST(SettingsGroupsTest, NumberFormatReachesTheEngine) {
    Settings s;
    s.groups.setGroupField(kCalculator, 0, "3,2,0,1,0:1,2,#");
    EXPECT_EQ(s.engine.format().options().calcType, 3);
    EXPECT_EQ(s.engine.format().options().decimalMode, 2);
    EXPECT_EQ(s.engine.format().options().places, 0);
    EXPECT_TRUE(s.engine.format().options().round);
    EXPECT_FALSE(s.engine.format().options().thousands);
    EXPECT_TRUE(s.engine.settings().countsOn);
    EXPECT_EQ(s.engine.entry().groupMode, 2);
    EXPECT_EQ(s.engine.settings().countPrefix, "#");

    // Parts that are missing or damaged leave the value alone; nothing may crash.
    const struct {
        const char* text;
        const char* after;
    } partial[] = {
        {"", "3,2,0,1,0:1,2,#"},
        {"0", "0,2,0,1,0:1,2,#"},
        {",,7:0", "3,2,7,1,0:0,2,#"},
        {"x,y,,,1,9,9:,9,No, or: yes", "0,0,0,1,1:1,2,No, or: yes"},
        {":::", "3,2,0,1,0:0,2,#"},
        {"-99999999999999999999,99999999999999999999", "-2147483648,2147483647,0,1,0:1,2,#"},
    };
    for (const auto& c : partial) {
        SCOPED_TRACE(c.text);
        s.groups.setGroupField(kCalculator, 0, "3,2,0,1,0:1,2,#");
        s.groups.setGroupField(kCalculator, 0, c.text);
        EXPECT_EQ(s.groups.groupField(kCalculator, 0), c.after);
    }
    s.groups.setGroupField(kCalculator, 0, "3,2,0,1,0:1,2,#");
    s.groups.setGroupField(kTape, 0, "0,3,4,0,1:0,0,");
    EXPECT_EQ(s.groups.groupField(kCalculator, 0), "3,2,0,1,0:1,2,#") << "the tape has no format";
    s.engine.settings().countPrefix = "a\tb";
    EXPECT_EQ(s.groups.groupField(kCalculator, 0), "3,2,0,1,0:1,2,a b") << "one field of a line";
}

TEST(SettingsGroupsTest, OptionBitsSetEveryOptionOfTheGroup) {
    Settings s;
    s.groups.setGroupField(kCalculator, 1, "32");
    for (int option = 12; option <= 23; ++option) {
        SCOPED_TRACE(option);
        EXPECT_EQ(s.option(option), option == 17 ? 1 : 0);
    }
    EXPECT_TRUE(s.engine.tapeOn());
    EXPECT_FALSE(s.engine.settings().autoClearText);
    EXPECT_FALSE(s.engine.settings().autoTotalText);
    EXPECT_EQ(s.option(0), 1) << "tape options are not the calculator's";
    s.groups.setGroupField(kCalculator, 1, "0");
    EXPECT_FALSE(s.engine.tapeOn());
    s.groups.setGroupField(kTape, 1, "-1");
    for (int option = 0; option < 8; ++option) EXPECT_EQ(s.option(option), 1);
    EXPECT_EQ(s.option(8), 0) << "bit 8 is not a tape option";
    s.groups.setGroupField(kTape, 2, "5,,7");
    EXPECT_EQ(s.options.colour(0), 5);
    EXPECT_EQ(s.options.colour(1), OptionTable::defaultColour(1)) << "an empty item is missing";
    EXPECT_EQ(s.options.colour(2), 7);
}

TEST(SettingsGroupsTest, OptionSetterAppliesEngineSwitches) {
    const struct {
        int option;
        bool TapeSettings::*setting;
    } switches[] = {{20, &TapeSettings::autoClearText},
                    {21, &TapeSettings::autoSubtotalText},
                    {22, &TapeSettings::autoTotalText},
                    {23, &TapeSettings::autoAddFuncText}};
    for (const auto& c : switches) {
        SCOPED_TRACE(c.option);
        Settings s;
        s.groups.setOption(c.option, 0);
        EXPECT_FALSE(s.engine.settings().*c.setting);
        s.groups.setOption(c.option, 1);
        EXPECT_TRUE(s.engine.settings().*c.setting);
    }
    Settings s;
    std::vector<int> changed;
    SettingsGroups::Listener listener;
    listener.optionChanged = [&](int option) { changed.push_back(option); };
    s.groups.setListener(listener);
    s.groups.setOption(5, 0);
    s.groups.setOption(24, 1);
    EXPECT_EQ(s.option(5), 0);
    EXPECT_EQ(changed, std::vector<int>{5}) << "the window applies the rest";
}

TEST(SettingsGroupsTest, AddFuncTextDrivesStarAndResultLines) {
    const struct {
        const char* ini;
        bool starAtStart, resultAtStart, starWhenOff, resultWhenOff;
    } cases[] = {
        {"", true, true, true, true},  // -1 keeps both lines whatever option 23 says
        {"[Talvex]\nStarLine=1\nResultLine=0\n", true, false, false, false},
        {"[Talvex]\nStarLine=0\nResultLine=-1\n", false, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        Settings s(c.ini);
        SettingsGroups groups(s.engine, s.options, s.config);
        EXPECT_EQ(s.engine.settings().starLine, c.starAtStart);
        EXPECT_EQ(s.engine.settings().resultLine, c.resultAtStart);
        groups.setOption(23, 0);
        EXPECT_EQ(s.engine.settings().starLine, c.starWhenOff);
        EXPECT_EQ(s.engine.settings().resultLine, c.resultWhenOff);
        groups.setOption(23, 1);
        EXPECT_TRUE(s.engine.settings().starLine);
        EXPECT_TRUE(s.engine.settings().resultLine);
    }
}

TEST(SettingsGroupsTest, FlagZeroFromATapeReloadsTheGroup) {
    const std::string ini =
        "[Calculator]\nFormat=0,3,2,1,1:0,1,\nOptions=32\nColors=1,2,3,4,5,6,7,8,9,10,11,12\n"
        "[Tape]\nFormat=9,9,9,9,9:1,3,x\nOptions=3\nColors=11\n"
        "[Printer]\nOptions=7\nTexts=a,b\n[Logo]\nLogo=me.bmp,2\n";
    const struct {
        int group;
        int index;
        const char* stored;
    } cases[] = {
        {kCalculator, 0, "0,3,2,1,1:0,1,"},
        {kCalculator, 1, "32"},
        {kCalculator, 2, "1,2,3,4,5,6,7,8,9,10,11,12"},
        {kTape, 1, "3"},
        {kPrinter, 0, "7"},
        {kPrinter, 1, "a,b"},
        {kMessenger, 0, "me.bmp,2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.group) + "/" + std::to_string(c.index));
        Settings s(ini);
        s.groups.setLoading(true);
        s.groups.setGroupField(c.group, -1, "1");
        EXPECT_NE(s.groups.groupField(c.group, c.index), c.stored) << "a carried group is kept";
        s.groups.setGroupField(c.group, -1, "0");
        s.groups.setLoading(false);
        EXPECT_EQ(s.groups.groupField(c.group, c.index), c.stored);
        EXPECT_EQ(s.groups.flag(c.group), 0);
    }
    Settings s(ini);
    s.groups.setGroupField(kTape, -1, "0");
    EXPECT_EQ(s.options.colour(0), 11);
    EXPECT_EQ(s.options.colour(1), OptionTable::defaultColour(1));
    EXPECT_EQ(s.engine.format().options().calcType, 0) << "the tape's Format is ignored";
}

TEST(SettingsGroupsTest, SavedGroupsLoadBack) {
    for (const int group : {kCalculator, kTape, kPrinter, kMessenger}) {
        for (const bool compact : {false, true}) {
            SCOPED_TRACE(std::to_string(group) + (compact ? " compact" : " normal"));
            Settings s;
            s.groups.setCompact(compact);
            for (int index = 0; index < 4; ++index) s.groups.setGroupField(group, index, "0,1");
            s.groups.setGroupField(group, 0, group == kCalculator ? "0,0,4,0,1:1,3,No." : "5");
            s.groups.setGroupField(group, 1, group == kPrinter ? std::string(600, 'x') : "77");
            std::vector<std::string> saved;
            for (int index = 0; index < 4; ++index)
                saved.push_back(s.groups.groupField(group, index));
            ASSERT_TRUE(s.groups.saveGroup(group));

            Settings fresh(s.ini());
            fresh.groups.setCompact(compact);
            fresh.groups.loadGroup(group);
            // Only the compact configuration keeps the bars with the groups.
            for (int index = 0; index < (compact ? 4 : 3); ++index) {
                EXPECT_EQ(fresh.groups.groupField(group, index), saved[index]) << index;
            }
        }
    }
}

TEST(SettingsGroupsTest, StorageKeys) {
    Settings s;
    s.groups.setGroupField(kCalculator, 1, "32");
    s.groups.saveGroup(kCalculator);
    s.groups.saveGroup(kTape);
    const std::string calculatorFormat = s.groups.groupField(kCalculator, 0);
    EXPECT_EQ(s.config.getSetting("Calculator", "Options", ""), "32");
    EXPECT_EQ(s.config.getSetting("Tape", "Format", "none"), "");
    EXPECT_EQ(s.config.getSetting("Tape", "Colors", "").size(),
              s.groups.groupField(kTape, 2).size());

    s.groups.setCompact(true);
    s.groups.setAlwaysOnTop(true);
    s.groups.setBar(1, true);
    s.groups.saveGroup(kCalculator);
    s.groups.saveGroup(kTape);
    EXPECT_EQ(s.config.getSetting("VantCalc", "AlwaysOnTop", ""), "1");
    EXPECT_EQ(s.config.getSetting("VantCalc", "Bars", ""), "0,1");
    EXPECT_EQ(s.config.getSetting("VantCalc", "Opts01", ""), "32");
    EXPECT_EQ(s.config.getSetting("VantCalc", "Opts12", ""), s.groups.groupField(kTape, 2));
    EXPECT_EQ(s.config.getSetting("Calculator", "Format", ""), calculatorFormat)
        << "saving the tape group never blanks the calculator's format";
}

TEST(SettingsGroupsTest, MissingBarsGiveEachConfigurationsDefault) {
    Settings s;
    s.groups.setBar(0, false);
    s.groups.loadBars();
    EXPECT_EQ(s.groups.groupField(kCalculator, 3), "1,1");
    s.groups.setCompact(true);
    s.groups.setBar(0, true);
    s.groups.setAlwaysOnTop(true);
    s.groups.loadGroup(kCalculator);
    EXPECT_EQ(s.groups.groupField(kCalculator, 3), "0,0");
    EXPECT_FALSE(s.groups.alwaysOnTop());
    s.groups.setCompact(false);
    EXPECT_TRUE(s.groups.bar(0)) << "each configuration has its own bars";
}

TEST(SettingsGroupsTest, SingleValueSettersOfOldRecords) {
    Settings s;
    s.groups.setLayoutFlag(0, 1);
    s.groups.setLayoutFlag(19, 1);
    s.groups.setLayoutFlag(20, 1);
    EXPECT_EQ(s.groups.groupField(kPrinter, 0), "524289");
    s.groups.setLayoutFlag(0, 0);
    EXPECT_EQ(s.groups.groupField(kPrinter, 0), "524288");

    s.groups.setLayoutText(2, "Page, &P");
    s.groups.setLayoutText(33, "ignored");
    EXPECT_EQ(s.groups.groupField(kPrinter, 1), ",,Page  &P" + std::string(30, ','));
    s.groups.setMessengerParameter(15, "last");
    s.groups.setMessengerParameter(16, "ignored");
    EXPECT_EQ(s.groups.groupField(kMessenger, 0), std::string(15, ',') + "last");

    s.groups.setNumberFormatInteger(3, 0);
    s.groups.setNumberFormatInteger(4, 1);
    EXPECT_FALSE(s.engine.format().options().round);
    EXPECT_TRUE(s.engine.format().options().thousands);
    s.groups.setColour(24, 42);
    s.groups.setColour(25, 42);
    EXPECT_EQ(s.options.colour(24), 42);
}

TEST(SettingsGroupsTest, ReadingATapeHoldsBackRedraws) {
    Settings s;
    int calls = 0;
    int reloads = 0;
    SettingsGroups::Listener listener;
    listener.optionChanged = [&](int) { ++calls; };
    listener.colourChanged = [&](int) { ++calls; };
    listener.barsChanged = [&] { ++calls; };
    listener.reloaded = [&] { ++reloads; };
    s.groups.setListener(listener);
    s.groups.setLoading(true);
    s.groups.setGroupField(kCalculator, 1, "4095");
    s.groups.setGroupField(kCalculator, 2, "1,2");
    s.groups.setGroupField(kCalculator, 3, "0,0");
    s.groups.setLoading(false);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(reloads, 1);
}

TEST(OptionTableTest, NamesAndDefaults) {
    EXPECT_EQ(OptionTable::optionName(0), "Vertical Lines");
    EXPECT_EQ(OptionTable::optionName(17), "Tape On");
    EXPECT_EQ(OptionTable::optionName(23), "Auto AddFunc Text");
    EXPECT_EQ(OptionTable::colourName(24), OptionTable::colourName(23));
    EXPECT_EQ(OptionTable::colourName(15), "LCD BackGround");
    for (int option = 0; option < OptionTable::kOptionCount; ++option) {
        SCOPED_TRACE(option);
        const bool off = option == 2 || option == 6 || (option >= 8 && option <= 11) ||
                         option == 18 || option == 19;
        EXPECT_EQ(OptionTable::defaultOption(option), off ? 0 : 1);
        EXPECT_EQ(OptionTable::optionName(option).empty(), option >= 8 && option <= 11);
    }
    EXPECT_EQ(OptionTable::defaultColour(0) & 0xFF, 255) << "red in the low byte";
    OptionTable table;
    EXPECT_FALSE(table.setOption(24, 1));
    EXPECT_FALSE(table.setColour(-1, 1));
    EXPECT_EQ(table.option(-1), 0);
}

}  // namespace
}  // namespace talvex::testing
