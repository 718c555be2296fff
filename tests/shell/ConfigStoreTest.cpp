// Where "Talvex.ini" is found, the defaults of its settings, and the main window's geometry.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "shell/ConfigStore.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(ConfigStoreTest, LocateTriesSharedFolderThenInstallation) {
    const struct {
        const char* name;
        const char* sharedFile;  // nullptr: no file
        const char* sharedText;
        const char* installText;  // nullptr: no file
        const char* expected;     // "shared", "install" or nullptr
    } cases[] = {
        {"shared Path wins", "Talvex.ini", "[Talvex]\nPath=/s\n", "[Talvex]\nPath=/i\n", "shared"},
        {"empty shared Path", "Talvex.ini", "[Talvex]\nPath=\n", "[Talvex]\nPath=/i\n", "install"},
        {"no shared file", nullptr, "", "[talvex]\npath=/i\n", "install"},
        {"other case of the name", "TALVEX.INI", "[Talvex]\nPath=/s\n", nullptr, "shared"},
        {"no Path anywhere", "Talvex.ini", "[Talvex]\nMaxRows=9\n", "[Tape]\nPath=/i\n", nullptr},
        {"no file anywhere", nullptr, "", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.sharedFile) writeFile(folder / "shared" / c.sharedFile, c.sharedText);
        if (c.installText) writeFile(folder / "install" / "Talvex.ini", c.installText);
        fs::create_directories(folder / "install");
        const auto store = ConfigStore::locate(folder / "shared", folder / "install");
        ASSERT_EQ(store.has_value(), c.expected != nullptr);
        if (store) {
            EXPECT_EQ(store->path().parent_path().filename(), c.expected);
        }
    }
}

TEST(ConfigStoreTest, WorkingFolderAndSharedFolder) {
    TempFolder folder;
    writeFile(folder / "Talvex.ini", "[Talvex]\nPath=tapes\n");
    ConfigStore store(folder / "Talvex.ini");
    EXPECT_EQ(store.workingFolder(), folder / "tapes") << "relative to the file's folder";
    store.putSetting("Talvex", "Path", "/srv/tapes");
    EXPECT_EQ(store.workingFolder(), fs::path("/srv/tapes"));

    EXPECT_EQ(ConfigStore::sharedConfigDir(), folder.path());
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", folder.path().c_str(), 1);
    for (const char* configHome : {"", "relative/dir"}) {
        SCOPED_TRACE(configHome);
        setenv("XDG_CONFIG_HOME", configHome, 1);
        EXPECT_EQ(ConfigStore::sharedConfigDir(), folder / ".config");
    }
    setenv("HOME", oldHome.c_str(), 1);
}

TEST(ConfigStoreTest, MissingAndDamagedSettingsGiveTheirDefaults) {
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    const auto check = [&](const char* state) {
        SCOPED_TRACE(state);
        EXPECT_FALSE(store.autoLoad());
        EXPECT_EQ(store.maxRows(), 400);
        EXPECT_EQ(store.maxCols(), 11);
        EXPECT_EQ(store.starLine(), -1);
        EXPECT_EQ(store.resultLine(), -1);
        EXPECT_FALSE(store.vantCalc());
        EXPECT_EQ(store.addins(0), "");
        EXPECT_TRUE(store.webPages().empty());
        EXPECT_EQ(store.bars("Talvex"), "1,1");
        EXPECT_EQ(store.bars("VantCalc"), "0,0");
        EXPECT_FALSE(store.alwaysOnTop());
    };
    check("no file");
    writeFile(store.path(),
              "[Talvex]\nMaxRows=lots\nMaxCols=-3\nAutoLoad=\nStarLine=x\n"
              "[VantCalc]\nAlwaysOnTop=\n[WEB]\nPageCount=junk\n");
    EXPECT_EQ(store.starLine(), 0) << "a value that is not a number reads as 0";
    writeFile(store.path(), "[Talvex]\nMaxRows=lots\nMaxCols=-3\n[VantCalc]\nAlwaysOnTop=\n");
    check("empty and damaged values");
}

TEST(ConfigStoreTest, SettingsReadBackAsWritten) {
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    EXPECT_TRUE(store.writeAutoLoad(true));
    EXPECT_TRUE(store.writeVantCalc(true));
    EXPECT_TRUE(store.writeBars("VantCalc", "1,0"));
    store.putSetting("WEB", "PageCount", "2");
    store.putSetting("WEB", "Page1", "Home|https://example.org");
    store.putSetting("Talvex", "Addins1", "Memory,Mortgage");
    EXPECT_TRUE(store.autoLoad());
    EXPECT_TRUE(store.vantCalc());
    EXPECT_EQ(store.bars("VantCalc"), "1,0");
    EXPECT_EQ(store.bars("Talvex"), "1,1");
    EXPECT_EQ(store.webPages(), (std::vector<std::string>{"Home|https://example.org", ""}));
    EXPECT_EQ(store.addins(1), "Memory,Mortgage");

    store.setAppSection("VantPrint");
    store.writeAppSetting("Mode", "2");
    EXPECT_EQ(store.getSetting("VantPrint", "Mode", ""), "2");
    EXPECT_TRUE(store.autoLoad()) << "typed settings stay in section Talvex";
    store.setAppSection("Talvex");
    EXPECT_EQ(store.readAppSetting("Mode", "none"), "none");

    store.writeIpc("Talvex", "1f2e");
    EXPECT_EQ(store.readIpc("Talvex"), "1f2e");
    EXPECT_EQ(store.readNumber("Talvex", "VantCalc", 7), 1);
    EXPECT_EQ(store.readNumber("Talvex", "Missing", 7), 7);
    store.putSetting("WEB", "PageCount", "100000000");
    EXPECT_EQ(store.webPages().size(), static_cast<size_t>(ConfigStore::kMaxWebPages));
}

TEST(ConfigStoreTest, ReadsAreLimitedWithoutSplittingCharacters) {
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    const std::string longValue = std::string(510, 'a') + "\xC3\xA9" + std::string(100, 'b');
    store.putSetting("Printer", "Texts", longValue);
    store.writeIpc("Talvex", std::string(300, 'c'));
    EXPECT_EQ(store.getSetting("Printer", "Texts", ""), std::string(510, 'a'));
    EXPECT_EQ(store.getLongSetting("Printer", "Texts", ""), longValue);
    EXPECT_EQ(store.readIpc("Talvex"), std::string(255, 'c'));
}

TEST(ConfigStoreTest, MainWindowGeometry) {
    const struct {
        const char* text;
        WindowGeometry expected;
    } parsed[] = {
        {"7000,9600,300,450", {7000, 9600, 300, 450}},
        {"7000,9600", {7000, 9600, 0, 0}},
        {" 7000 ,x,12abc", {7000, 0, 12, 0}},
    };
    for (const auto& c : parsed) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseWindowGeometry(c.text), c.expected);
    }
    const struct {
        int screenHeight, screenWidth;
        WindowGeometry expected;
    } defaults[] = {
        {7680, 15360, {6785, 9600, 447, 2880}},  // 7/8 of the height is below the minimum
        {16200, 28800, {14175, 9600, 1012, 9600}},
        {5000, 8000, {6785, 9600, 0, 0}},  // larger than the screen: the title bar stays on it
    };
    for (const auto& c : defaults) {
        SCOPED_TRACE(c.screenHeight);
        EXPECT_EQ(defaultWindowGeometry(c.screenHeight, c.screenWidth), c.expected);
    }
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    EXPECT_EQ(store.mainWindow(7680, 15360), defaults[0].expected);
    store.writeMainWindow({7000, 9000, 10, 20});
    EXPECT_EQ(store.mainWindowText(), "7000,9000,10,20");
    EXPECT_EQ(store.mainWindow(7680, 15360), (WindowGeometry{7000, 9000, 10, 20}));
}

}  // namespace
}  // namespace talvex::testing
