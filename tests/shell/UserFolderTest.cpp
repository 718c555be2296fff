// An installed program's shipped folder, and the copy of it a new user starts in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TempFolder.h"
#include "shell/UserFolder.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kShippedIni = "; shipped\n[Talvex]\nPath=.\nMaxRows=30000\n";

// A shipped folder as the installation lays it out.
void shipTo(const fs::path& folder) {
    writeFile(folder / "Talvex.ini", kShippedIni);
    writeFile(folder / "!Default.kwt", "template");
    writeFile(folder / "Household.kwd", "budget");
}

TEST(UserFolderTest, ShippedFolderBesideTheProgramComesBeforeTheConfiguredPrefix) {
    struct Case {
        const char* name;
        bool beside;      // share/talvex next to bin/ holds a configuration
        bool besideBare;  // share/talvex exists next to bin/ but without one
        bool configured;  // the configured prefix's folder holds one
        bool noProgram;   // the program's folder is unknown
        const char* expected;
    };
    const Case cases[] = {
        {"both", true, false, true, false, "beside"},
        {"only the configured prefix", false, false, true, false, "configured"},
        {"a folder without configuration", false, true, true, false, "configured"},
        {"program folder unknown", true, false, true, true, "configured"},
        {"neither", false, true, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path bin = folder / "opt" / "bin";
        fs::create_directories(bin);
        if (c.beside) shipTo(folder / "opt" / "share" / "talvex");
        if (c.besideBare) writeFile(folder / "opt" / "share" / "talvex" / "Loan.kwd", "x");
        if (c.configured) shipTo(folder / "usr" / "share" / "talvex");
        const fs::path found =
            findShippedFolder(c.noProgram ? fs::path() : bin, folder / "usr" / "share" / "talvex");
        const std::string expected = c.expected;
        const fs::path wanted = expected == "beside"       ? folder / "opt" / "share" / "talvex"
                                : expected == "configured" ? folder / "usr" / "share" / "talvex"
                                                           : fs::path();
        EXPECT_EQ(found, wanted);
    }
}

TEST(UserFolderTest, UserFolderFollowsXdgDataHome) {
    TempFolder folder;
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string savedData = oldData ? oldData : "";
    setenv("HOME", folder.path().c_str(), 1);
    const std::pair<std::string, fs::path> cases[] = {
        {(folder / "data").string(), folder / "data" / "talvex"},
        {"", folder / ".local" / "share" / "talvex"},
        {"relative/data", folder / ".local" / "share" / "talvex"},
    };
    for (const auto& [dataHome, expected] : cases) {
        SCOPED_TRACE(dataHome);
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        EXPECT_EQ(userDataFolder(), expected);
    }
    setenv("HOME", oldHome.c_str(), 1);
    if (oldData) setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    if (!oldData) unsetenv("XDG_DATA_HOME");
}

TEST(UserFolderTest, NewUserGetsTheShippedFilesAndKeepsTheirOwn) {
    struct Case {
        const char* name;
        const char* ownTape;    // Household.kwd already in the user's folder, or nullptr
        const char* ownConfig;  // Talvex.ini already in the configuration folder, or nullptr
        const char* expectedMaxRows;
    };
    const Case cases[] = {
        {"a new user", nullptr, nullptr, "30000"},
        {"a tape of the user's own", "my budget", nullptr, "30000"},
        {"settings without a folder", nullptr, "[Talvex]\nMaxRows=9\n", "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        shipTo(folder / "shipped");
        // Installations may keep their files read-only.
        for (const char* name : {"Talvex.ini", "!Default.kwt", "Household.kwd"})
            fs::permissions(folder / "shipped" / name,
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const fs::path tapes = folder / "data" / "talvex";
        if (c.ownTape) writeFile(tapes / "Household.kwd", c.ownTape);
        if (c.ownConfig) writeFile(folder / "config" / "Talvex.ini", c.ownConfig);
        std::string error;
        const auto store = makeUserFolder(folder / "shipped", folder / "config", tapes, error);
        ASSERT_TRUE(store) << error;
        EXPECT_EQ(store->path(), folder / "config" / "Talvex.ini");
        EXPECT_EQ(store->workingFolder(), tapes);
        EXPECT_EQ(store->getSetting("Talvex", "MaxRows", ""), c.expectedMaxRows);
        EXPECT_EQ(readFile(tapes / "!Default.kwt"), "template");
        EXPECT_EQ(readFile(tapes / "Household.kwd"), c.ownTape ? c.ownTape : "budget");
        EXPECT_FALSE(fs::exists(tapes / "Talvex.ini")) << "the settings live in one place";
        for (const fs::path& copy : {tapes / "!Default.kwt", folder / "config" / "Talvex.ini"}) {
            EXPECT_NE(fs::status(copy).permissions() & fs::perms::owner_write, fs::perms::none)
                << copy;
        }
        EXPECT_EQ(readFile(folder / "shipped" / "Talvex.ini"), kShippedIni);
        // The next start finds the user's own configuration.
        const auto again = ConfigStore::locate(folder / "config", folder / "bin");
        ASSERT_TRUE(again);
        EXPECT_EQ(again->workingFolder(), tapes);
    }
}

TEST(UserFolderTest, FolderThatCannotBeMadeSaysWhy) {
    TempFolder folder;
    shipTo(folder / "shipped");
    writeFile(folder / "config", "a file where the folder would be");
    std::string error;
    EXPECT_FALSE(makeUserFolder(folder / "shipped", folder / "config", folder / "tapes", error));
    EXPECT_NE(error.find((folder / "config").string()), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(makeUserFolder(folder / "nothing", folder / "cfg", folder / "tapes", error));
    EXPECT_NE(error.find("Talvex.ini"), std::string::npos) << error;
}

TEST(UserFolderTest, StartUsesAFoundConfigurationBeforeMakingAFolder) {
    struct Case {
        const char* name;
        const char* userConfig;  // in the configuration folder, or nullptr
        const char* besideProgram;
        bool shipped;
        const char* expected;  // the working folder's name, or "" for none
    };
    const Case cases[] = {
        {"the user's configuration", "[Talvex]\nPath=/mine\n", nullptr, true, "mine"},
        {"a build tree's, beside the program", nullptr, "[Talvex]\nPath=build\n", true, "build"},
        {"installed: a new user's folder", nullptr, nullptr, true, "talvex"},
        {"nothing at all", nullptr, nullptr, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.userConfig) writeFile(folder / "config" / "Talvex.ini", c.userConfig);
        if (c.besideProgram) writeFile(folder / "usr" / "bin" / "Talvex.ini", c.besideProgram);
        fs::create_directories(folder / "usr" / "bin");
        if (c.shipped) shipTo(folder / "usr" / "share" / "talvex");
        std::string error = "stale";
        const auto store = findOrMakeConfig(folder / "config", folder / "usr" / "bin",
                                            folder / "nowhere", folder / "data" / "talvex", error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(store ? store->workingFolder().filename().string() : "", c.expected);
        EXPECT_EQ(fs::exists(folder / "data" / "talvex" / "!Default.kwt"),
                  std::string(c.expected) == "talvex");
    }
}

}  // namespace
}  // namespace talvex::testing
