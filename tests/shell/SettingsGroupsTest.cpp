// The settings groups: their field texts, how they reach the engine, and their storage.
#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "messenger/MessengerSettings.h"
#include "printing/PageLayout.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex::testing {
namespace {

using settings_group::kCalculator;
using settings_group::kCount;
using settings_group::kMessenger;
using settings_group::kPrinter;
using settings_group::kTape;

// The configuration file is written before the settings groups read it; the printer and the
// messenger own their groups as in the program.
struct Settings {
    explicit Settings(const std::string& ini = "") : config(iniFile(folder, ini)) {
        groups.own(kPrinter, printer);
        groups.own(kMessenger, messenger);
    }
    static std::filesystem::path iniFile(const TempFolder& folder, const std::string& ini) {
        if (!ini.empty()) writeFile(folder / "Talvex.ini", ini);
        return folder / "Talvex.ini";
    }
    std::string field(int group, int index) const { return groups.groupField(group, index); }

    TempFolder folder;
    ViewPort view;
    AddinPort addins;
    Engine engine{view, addins};
    OptionTable options;
    ConfigStore config;
    SettingsGroups groups{engine, options, config};
    PageLayout printer;
    MessengerSettings messenger;
};

// Every field reads back as set and, saved with the bars, comes back in a fresh start; no
// group's keys overwrite another's, and a save that cannot write says so.
TEST(SettingsGroupsTest, FieldsReadBackAsSetAndAsSaved) {
    const std::tuple<int, int, std::string> fields[] = {
        {kCalculator, 0, "3,2,0,1,0:1,3,No."},
        {kCalculator, 1, "2731"},
        {kCalculator, 2, "1,2,3,4,5,6,7,8,9,10,11,16777215"},
        {kCalculator, 3, "0,1"},
        {kTape, 0, ""},  // the tape has no number format
        {kTape, 1, "170"},
        {kTape, 2, "10,20,30,40,50,60,70,80,90,100,110"},
        {kPrinter, 0, "524289"},
        // longer than one setting may be; the layout always holds its 33 texts
        {kPrinter, 1, "Head,," + std::string(600, 'x') + std::string(30, ',')},
        {kMessenger, 0,
         "logo.bmp|wall.bmp,1|10,Hello,3,2,1,2,3,4:8,255,65280,0,1,7,file:///x.html,secret"},
    };
    for (const bool compact : {false, true}) {
        SCOPED_TRACE(compact ? "compact" : "normal");
        Settings s;
        s.groups.setCompact(compact);
        s.groups.setAlwaysOnTop(compact);
        for (const auto& [group, index, text] : fields) s.groups.setGroupField(group, index, text);
        for (int group = 0; group < kCount; ++group) ASSERT_TRUE(s.groups.saveGroup(group));
        ASSERT_TRUE(s.groups.saveBars());

        Settings fresh(readFile(s.config.path()));
        fresh.groups.setCompact(compact);
        fresh.groups.loadBars();
        for (int group = 0; group < kCount; ++group) fresh.groups.loadGroup(group);
        for (const auto& [group, index, text] : fields) {
            EXPECT_EQ(s.field(group, index), text) << group << "/" << index;
            EXPECT_EQ(fresh.field(group, index), text) << group << "/" << index;
        }
        EXPECT_EQ(fresh.groups.alwaysOnTop(), compact);

        std::filesystem::permissions(s.config.path(), std::filesystem::perms::owner_read);
        for (int group = 0; group < kCount; ++group) EXPECT_FALSE(s.groups.saveGroup(group));
        EXPECT_FALSE(s.groups.saveBars()) << "a failed write is reported";
    }
}

// Items that are missing or damaged leave their value alone; nothing may crash.
TEST(SettingsGroupsTest, DamagedNumberFormatKeepsWhatItLacks) {
    const std::string before = "3,2,0,1,0:1,2,#";
    const std::pair<const char*, const char*> cases[] = {
        {"", "3,2,0,1,0:1,2,#"},
        {"0,3,4,0,1:0,0,", "0,3,4,0,1:0,0,"},
        {"0", "0,2,0,1,0:1,2,#"},
        {"x,y,,,1,9,9:,9,No, or: yes", "0,0,0,1,1:1,2,No, or: yes"},
        {"-99999999999999999999,99999999999999999999", "-2147483648,2147483647,0,1,0:1,2,#"},
    };
    Settings s;
    for (const auto& [text, after] : cases) {
        SCOPED_TRACE(text);
        s.groups.setGroupField(kCalculator, 0, before);
        s.groups.setGroupField(kCalculator, 0, text);
        EXPECT_EQ(s.field(kCalculator, 0), after);
    }
    s.groups.setGroupField(kCalculator, 0, before);
    s.engine.settings().countPrefix = "a\tb";
    EXPECT_EQ(s.field(kCalculator, 0), "3,2,0,1,0:1,2,a b") << "one field of a line";
}

// The option bits reach the engine's switches; an empty colour item is missing, not black.
TEST(SettingsGroupsTest, OptionBitsAndColoursReachTheEngine) {
    Settings s;
    const TapeSettings& tape = s.engine.settings();
    const auto engineSwitches = [&] {  // Tape On, then the four Auto ... Text options
        return std::vector<bool>{s.engine.state().tapeOn, tape.autoClearText, tape.autoSubtotalText,
                                 tape.autoTotalText, tape.autoAddFuncText};
    };
    s.groups.setGroupField(kCalculator, 1, "32");
    EXPECT_EQ(engineSwitches(), (std::vector<bool>{true, false, false, false, false}));
    s.groups.setGroupField(kCalculator, 1, "3840");
    EXPECT_EQ(engineSwitches(), (std::vector<bool>{false, true, true, true, true}));
    s.groups.setGroupField(kTape, 2, "5,,7");
    EXPECT_EQ(s.options.colour(0), 5);
    EXPECT_EQ(s.options.colour(1), OptionTable::defaultColour(1));
    EXPECT_EQ(s.options.colour(2), 7);
}

// A "StarLine" or "ResultLine" of -1 (or none) keeps that line whatever option 23 says.
TEST(SettingsGroupsTest, AddFuncTextDrivesStarAndResultLines) {
    const std::tuple<const char*, bool, bool, bool, bool> cases[] = {
        // ini, star and result line at the start, star and result line with option 23 off
        {"", true, true, true, true},
        {"[Talvex]\nStarLine=1\nResultLine=0\n", true, false, false, false},
        {"[Talvex]\nStarLine=0\nResultLine=-1\n", false, true, false, true},
    };
    for (const auto& [ini, starAtStart, resultAtStart, starWhenOff, resultWhenOff] : cases) {
        SCOPED_TRACE(ini);
        Settings s(ini);
        const TapeSettings& tape = s.engine.settings();
        EXPECT_EQ(tape.starLine, starAtStart);
        EXPECT_EQ(tape.resultLine, resultAtStart);
        s.groups.setOption(23, 0);
        EXPECT_EQ(tape.starLine, starWhenOff);
        EXPECT_EQ(tape.resultLine, resultWhenOff);
        s.groups.setOption(23, 1);
        EXPECT_TRUE(tape.starLine && tape.resultLine);
    }
}

// The keys of "Talvex.ini" that earlier versions wrote, read when a tape does not carry a group
// and by the compact configuration.
TEST(SettingsGroupsTest, StoredGroupsLoadFromTheirKeys) {
    Settings s(
        "[Calculator]\nFormat=0,3,2,1,1:0,1,\nOptions=32\nColors=1,2,3,4,5,6,7,8,9,10,11,12\n"
        "[Tape]\nFormat=9,9,9,9,9:1,3,x\nOptions=3\nColors=11\n[Printer]\nOptions=7\nTexts=a,b\n"
        "[Logo]\nLogo=me.bmp,2\n[VantCalc]\nAlwaysOnTop=1\nBars=1,0\nOpts01=5\nOpts02=6\n"
        "Opts11=4\nOpts12=8\n");
    const std::tuple<int, int, std::string> cases[] = {
        {kCalculator, 0, "0,3,2,1,1:0,1,"},  // the tape's Format is never read
        {kCalculator, 1, "32"},
        {kCalculator, 2, "1,2,3,4,5,6,7,8,9,10,11,12"},
        {kTape, 1, "3"},
        {kPrinter, 0, "7"},
        {kPrinter, 1, "a,b" + std::string(31, ',')},  // the layout's texts not stored are empty
        // The stored record is short: the fields it lacks take their defaults.
        {kMessenger, 0,
         "me.bmp,2|0,Check us out at talvex.example,5,4,0,1,2,5:6,0,16777215,1,0,56,"
         "https://talvex.example/,"},
    };
    s.groups.setLoading(true);
    for (int group = 0; group < kCount; ++group) s.groups.setGroupField(group, -1, "1");
    for (const auto& [group, index, stored] : cases) {
        EXPECT_NE(s.field(group, index), stored) << "a carried group is kept";
    }
    for (int group = 0; group < kCount; ++group) s.groups.setGroupField(group, -1, "0");
    s.groups.setLoading(false);
    for (const auto& [group, index, stored] : cases) {
        EXPECT_EQ(s.field(group, index), stored) << group << "/" << index;
    }
    EXPECT_EQ(s.options.colour(0), 11);
    EXPECT_EQ(s.options.colour(1), OptionTable::defaultColour(1));

    s.groups.setCompact(true);
    s.groups.loadGroup(kCalculator);
    s.groups.loadGroup(kTape);
    EXPECT_TRUE(s.groups.alwaysOnTop());
    EXPECT_EQ(s.field(kCalculator, 0), "0,3,2,1,1:0,1,") << "the number format is shared";
    EXPECT_EQ(s.field(kCalculator, 3), "1,0");
    EXPECT_EQ(s.field(kCalculator, 1), "5");
    EXPECT_EQ(s.options.colour(12), 6);
    EXPECT_EQ(s.field(kTape, 1), "4");
    EXPECT_EQ(s.options.colour(0), 8);
}

TEST(SettingsGroupsTest, EachConfigurationHasItsOwnBars) {
    Settings s;
    s.groups.setBar(0, false);
    s.groups.loadBars();  // nothing stored: the default
    s.groups.setCompact(true);
    EXPECT_EQ(s.field(kCalculator, 3), "0,0");
    s.groups.setBar(0, true);
    s.groups.setAlwaysOnTop(true);
    s.groups.loadGroup(kCalculator);
    EXPECT_EQ(s.field(kCalculator, 3), "0,0");
    EXPECT_FALSE(s.groups.alwaysOnTop());
    s.groups.setBar(1, true);
    ASSERT_TRUE(s.groups.saveBars());
    s.groups.setCompact(false);
    EXPECT_EQ(s.field(kCalculator, 3), "1,1");
    s.groups.loadBars();
    EXPECT_EQ(s.field(kCalculator, 3), "1,1") << "the compact bars are kept separately";
    s.groups.setCompact(true);
    s.groups.loadBars();
    EXPECT_EQ(s.field(kCalculator, 3), "0,1");
}

// Old records set one flag or one item at a time: each lands in its place in the group's field,
// and an index beyond the field is ignored.
TEST(SettingsGroupsTest, SingleValueSettersOfOldRecords) {
    Settings s;
    for (const int flag : {0, 19, 20}) s.printer.setLayoutFlag(flag, 1);
    EXPECT_EQ(s.field(kPrinter, 0), "524289");
    s.printer.setLayoutText(2, "Page, &P");
    s.printer.setLayoutText(33, "ignored");
    EXPECT_EQ(s.field(kPrinter, 1), ",,Page  &P" + std::string(30, ','));
    s.messenger.setParameter(15, "last");
    s.messenger.setParameter(16, "ignored");
    EXPECT_EQ(s.messenger.record().password, "last");
    EXPECT_EQ(s.messenger.record().logoFile, "Talvex.bmp") << "the other fields stay";
}

}  // namespace
}  // namespace talvex::testing
