// The messenger record: its fields, its storage in "Talvex.ini" and in a tape.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TempFolder.h"
#include "documents/LogoScrambler.h"
#include "documents/TapeDocument.h"
#include "documents/TapeReader.h"
#include "engine/Engine.h"
#include "messenger/MessengerPanelPort.h"
#include "messenger/MessengerSettings.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex::testing {
namespace {

using settings_group::kMessenger;

// Records the fields as they reach the panel.
struct PanelLog : MessengerPanelPort {
    void messengerFieldApplied(int index, const MessengerRecord&) override {
        applied.push_back(index);
    }
    std::vector<int> applied;
};

// A running program's settings: the messenger owns its group, the configuration file is the
// folder's own.
struct Program {
    explicit Program(const std::filesystem::path& ini) : config(ini) {
        groups.own(kMessenger, messenger);
        messenger.attachPanel(&panel);
    }
    std::string tapeText() { return tapeFileText(document, engine, groups, TapeKind::withData); }
    void openTape(const std::string& text) {
        const LoadReport report = loadTapeText(text, document, engine, groups);
        EXPECT_TRUE(report.problems.empty()) << report.problems.front();
    }

    ViewPort view;
    AddinPort addins;
    Engine engine{view, addins};
    TapeDocument document{engine};
    OptionTable options;
    ConfigStore config;
    SettingsGroups groups{engine, options, config};
    MessengerSettings messenger;
    PanelLog panel;
};

// Printable text with every character the record or the tape treats specially.
std::string randomText(std::mt19937& random, size_t most) {
    static const std::string kAlphabet = "abcXYZ019 ,%|:[]\\.bmp\"'~!]3>A%2C";
    std::uniform_int_distribution<size_t> length(0, most);
    std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text) c = kAlphabet[pick(random)];
    return text;
}

MessengerRecord randomRecord(std::mt19937& random) {
    auto in = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    MessengerRecord r;
    r.logoFile = randomText(random, 12);
    r.wallpaperFile = randomText(random, 12);
    r.logoPlacement = in(-1, 10);
    r.wallpaperPlacement = in(-1, 10);
    r.text = randomText(random, 30);
    r.textPosition = in(0, 8);
    r.bevel = in(0, 9);
    r.bevelSides = in(0, 2);
    r.bevelWidth = in(0, 9);
    r.borderWidth = in(0, 9);
    r.minHeight = in(0, 9);
    r.maxHeight = r.minHeight + in(0, 9);
    r.textColour = in(0, 0xFFFFFF);
    r.backColour = in(0, 0xFFFFFF);
    r.viewLock = in(0, 1) != 0;
    r.editLock = in(0, 1) != 0;
    r.switches = static_cast<unsigned>(in(0, 511));
    r.address = randomText(random, 20);
    r.password = randomText(random, 10);
    return r;
}

// Every field of any record survives "SaveAs Default" and a fresh start, and survives a tape
// saved with the messenger and opened by a program whose own messenger differs.
TEST(MessengerRecordTest, RandomRecordsRoundTripThroughIniAndTape) {
    std::mt19937 random(20261207);
    TempFolder folder;
    for (int trial = 0; trial < 300; ++trial) {
        const MessengerRecord record = randomRecord(random);
        SCOPED_TRACE(joinMessengerRecord(record));
        Program writer(folder / "Talvex.ini");
        writer.messenger.apply(record);
        ASSERT_EQ(writer.messenger.record(), record);
        ASSERT_TRUE(writer.groups.saveGroup(kMessenger));
        writer.groups.setFlag(kMessenger, 1);
        const std::string tape = writer.tapeText();

        Program restarted(folder / "Talvex.ini");
        restarted.groups.loadGroup(kMessenger);
        EXPECT_EQ(restarted.messenger.record(), record) << "through the configuration file";

        TempFolder other;
        Program reader(other / "Talvex.ini");
        reader.openTape(tape);
        EXPECT_EQ(reader.messenger.record(), record) << "through the tape";
        EXPECT_EQ(reader.groups.flag(kMessenger), 1);
    }
}

// Scrambled or plain, what is stored reads back; the plain form of old files is recognised
// by its first field naming a ".bmp" picture.
TEST(MessengerRecordTest, StoredValueIsScrambledAndOldPlainValuesRead) {
    TempFolder folder;
    Program p(folder / "Talvex.ini");
    p.groups.loadGroup(kMessenger);
    EXPECT_EQ(p.messenger.record(), MessengerRecord{}) << "no \"Logo\" key: the default messenger";
    ASSERT_TRUE(p.groups.saveGroup(kMessenger));
    const std::string stored = p.config.getLongSetting("Logo", "Logo", "");
    EXPECT_EQ(stored, scrambleLogo(joinMessengerRecord(MessengerRecord{})));
    EXPECT_EQ(stored.find("Talvex.bmp"), std::string::npos);

    ASSERT_TRUE(p.config.putSetting("Logo", "Logo", "old.bmp,8|10,Plain,,,,,,7:3"));
    p.groups.loadGroup(kMessenger);
    EXPECT_EQ(p.messenger.record().logoFile, "old.bmp");
    EXPECT_EQ(p.messenger.record().wallpaperPlacement, placement::kTile);
    EXPECT_EQ(p.messenger.record().text, "Plain");
    EXPECT_EQ(p.messenger.record().minHeight, 7);
    EXPECT_EQ(p.messenger.record().maxHeight, 7);
    EXPECT_EQ(p.messenger.record().address, MessengerRecord{}.address) << "absent: default";
}

// A tape saved without its messenger carries only the switch; opening it shows the messenger
// of the configuration file, not the one that was showing.
TEST(MessengerRecordTest, TapeWithoutMessengerShowsTheConfiguredOne) {
    TempFolder folder;
    Program p(folder / "Talvex.ini");
    MessengerRecord configured;
    configured.text = "From the configuration";
    p.messenger.apply(configured);
    ASSERT_TRUE(p.groups.saveGroup(kMessenger));
    MessengerRecord shown;
    shown.text = "Showing now";
    p.messenger.apply(shown);
    const std::string tape = p.tapeText();
    EXPECT_NE(tape.find("Lgo\t" + scrambleLogo("0") + "\r\n"), std::string::npos) << tape;

    p.panel.applied.clear();
    p.openTape(tape);
    EXPECT_EQ(p.messenger.record().text, "From the configuration");
    std::vector<int> inOrder(MessengerRecord::kFields);
    for (int i = 0; i < MessengerRecord::kFields; ++i) inOrder[static_cast<size_t>(i)] = i;
    ASSERT_GE(p.panel.applied.size(), inOrder.size());
    EXPECT_TRUE(std::equal(inOrder.begin(), inOrder.end(), p.panel.applied.end() - 16))
        << "every field reaches the panel, in index order";
}

// Fields set from text: how numbers, heights and out-of-range values read.
TEST(MessengerRecordTest, FieldTextsRead) {
    struct Case {
        int field;
        const char* text;
        std::string (*shown)(const MessengerRecord&);
        const char* expected;
    };
    const auto heights = [](const MessengerRecord& r) {
        return std::to_string(r.minHeight) + "/" + std::to_string(r.maxHeight);
    };
    const auto places = [](const MessengerRecord& r) {
        return std::to_string(r.logoPlacement) + "/" + std::to_string(r.wallpaperPlacement);
    };
    const auto files = [](const MessengerRecord& r) { return r.logoFile + "/" + r.wallpaperFile; };
    const auto colour = [](const MessengerRecord& r) { return std::to_string(r.textColour); };
    const auto switches = [](const MessengerRecord& r) { return std::to_string(r.switches); };
    const Case cases[] = {
        {8, "7:3", heights, "7/7"},
        {8, "-2:4", heights, "0/4"},
        {8, "5", heights, "5/5"},
        {8, "x:y", heights, "0/0"},
        {1, "-1|10", places, "-1/10"},
        {1, "3", places, "3/0"},
        {1, "42|-7", places, "-1/-1"},
        {0, "logo.bmp", files, "logo.bmp/"},
        {0, "a.bmp|b.bmp", files, "a.bmp/b.bmp"},
        {0, "a%7Cb|c%2Cd%5D", files, "a|b/c,d]"},
        {9, "red", colour, "0"},
        {9, "255", colour, "255"},
        {13, "1023", switches, "511"},
    };
    for (const Case& c : cases) {
        MessengerRecord r;
        r.setField(c.field, c.text);
        EXPECT_EQ(c.shown(r), c.expected) << c.field << " " << c.text;
    }
}

}  // namespace
}  // namespace talvex::testing
