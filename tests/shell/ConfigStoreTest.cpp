// Where "Talvex.ini" is found, the defaults of its settings, and the main window's geometry.
#include <gtest/gtest.h>

#include <tuple>

#include "TempFolder.h"
#include "shell/ConfigStore.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(ConfigStoreTest, LocateTriesSharedFolderThenInstallation) {
    // The name of the shared folder's file, the texts of both files (nullptr: none), and
    // which one is used.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Talvex.ini", "[Talvex]\nPath=/s\n", "[Talvex]\nPath=/i\n", "shared"},
        {"Talvex.ini", "[Talvex]\nPath=\n", "[Talvex]\nPath=/i\n", "install"},
        {"TALVEX.INI", "[Talvex]\nPath=/s\n", nullptr, "shared"},
        {"Talvex.ini", "[Talvex]\nMaxRows=9\n", "[Tape]\nPath=/i\n", "none"},
    };
    for (const auto& [sharedName, sharedText, installText, used] : cases) {
        SCOPED_TRACE(std::string(sharedName) + " " + (sharedText ? sharedText : "none"));
        TempFolder folder;
        if (sharedText) writeFile(folder / "shared" / sharedName, sharedText);
        if (installText) writeFile(folder / "install" / "Talvex.ini", installText);
        const auto store = ConfigStore::locate(folder / "shared", folder / "install");
        EXPECT_EQ(store ? store->path().parent_path().filename().string() : "none", used);
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
    for (const char* text : {"",
                             "[Talvex]\nMaxRows=lots\nMaxCols=-3\nAutoLoad=\nVantCalc=x\n"
                             "[WEB]\nPageCount=junk\n"}) {
        SCOPED_TRACE(*text ? "damaged values" : "no file");
        if (*text) writeFile(store.path(), text);
        EXPECT_EQ(store.maxRows(), 400);
        EXPECT_EQ(store.maxCols(), 11);
        EXPECT_FALSE(store.autoLoad());
        EXPECT_FALSE(store.vantCalc());
        EXPECT_TRUE(store.webPages().empty());
    }
    writeFile(store.path(), "[Talvex]\nStarLine=x\n");
    EXPECT_EQ(store.starLine(), 0) << "a value that is not a number reads as 0";
}

// Lists kept under numbered keys, and another program's section beside the typed settings.
TEST(ConfigStoreTest, NumberedKeysAndTheAppSection) {
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    ASSERT_TRUE(store.writeAutoLoad(true));
    store.putSetting("WEB", "PageCount", "2");
    store.putSetting("WEB", "Page1", "Home|https://example.org");
    EXPECT_EQ(store.webPages(), (std::vector<std::string>{"Home|https://example.org", ""}));

    store.setAppSection("VantPrint");
    store.writeAppSetting("Mode", "2");
    EXPECT_EQ(store.readAppSetting("Mode", ""), "2");
    EXPECT_TRUE(store.autoLoad()) << "typed settings stay in section Talvex";
    store.setAppSection("Talvex");
    EXPECT_EQ(store.readAppSetting("Mode", "none"), "none");
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
    EXPECT_EQ(parseWindowGeometry(" 7000 ,x,12abc"), (WindowGeometry{7000, 0, 12, 0}));
    // Nothing stored: larger than the screen, the title bar stays on it.
    TempFolder folder;
    ConfigStore store(folder / "Talvex.ini");
    EXPECT_EQ(store.mainWindow(5000, 8000), (WindowGeometry{6785, 9600, 0, 0}));
    store.writeMainWindow({7000, 9000, 10, 20});
    EXPECT_EQ(store.mainWindowText(), "7000,9000,10,20");
    EXPECT_EQ(store.mainWindow(5000, 8000), (WindowGeometry{7000, 9000, 10, 20}));
}

}  // namespace
}  // namespace talvex::testing
