// The private-profile file: tolerant reading, and writes that keep every other line intact.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <string>
#include <thread>
#include <tuple>

#include "TempFolder.h"
#include "shell/IniFile.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(IniFileTest, ReadsHandEditedFiles) {
    TempFolder folder;
    const IniFile ini(folder / "Talvex.ini");
    writeFile(ini.path(),
              "Orphan=before any section\r\n[talvex]\r\n; Path=commented out\r\n"
              "  path  =  /home/me/tapes  \r\nno equals sign here\r\nEmpty=\r\n"
              "[Talvex]\r\nMaxRows=999\r\n[IPC]\nTalvex=1a2b\n[ Tape ]\nOptions=7");
    const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
        {"TALVEX", "Path", "/home/me/tapes"},  // case, blanks and CR LF
        {"Talvex", "Empty", ""},               // present but empty is not missing
        {"Talvex", "MaxRows", std::nullopt},   // only the first section of a name counts
        {"IPC", "Talvex", "1a2b"},             // LF endings
        {"Tape", "Options", "7"},              // blanks in the header, no last line end
        {"Talvex", "Orphan", std::nullopt},
        {"Talvex", "no equals sign here", std::nullopt},
    };
    for (const auto& [section, key, value] : cases) {
        EXPECT_EQ(ini.read(section, key), value) << section << "/" << key;
    }
    writeFile(ini.path(), "[IPC]\nTalvex=ff\n");
    EXPECT_EQ(ini.read("IPC", "Talvex"), "ff") << "another program's edit must be seen";
    EXPECT_EQ(IniFile(folder / "missing.ini").read("IPC", "Talvex"), std::nullopt);
}

TEST(IniFileTest, WriteChangesOnlyItsOwnLine) {
    // What the case shows, the file before, the section, key and value written, the file after.
    const std::tuple<const char*, std::string, const char*, const char*, const char*, std::string>
        cases[] = {
            {"replace in place", "; mine\n[Talvex]\nPath=/a\n\nMaxRows=5\n[Tape]\nx=1\n", "Talvex",
             "Path", "/b", "; mine\n[Talvex]\nPath=/b\n\nMaxRows=5\n[Tape]\nx=1\n"},
            {"spelling in the file kept", "[TALVEX]\n  PATH = /a \n", "Talvex", "Path", "/b",
             "[TALVEX]\nPATH=/b\n"},
            {"new key before trailing blanks", "[Talvex]\nPath=/a\n\n\n[Tape]\nx=1\n", "Talvex",
             "AutoLoad", "1", "[Talvex]\nPath=/a\nAutoLoad=1\n\n\n[Tape]\nx=1\n"},
            {"new section at the end", "[Tape]\nx=1\n", "Logo", "Logo", "a.bmp",
             "[Tape]\nx=1\n\n[Logo]\nLogo=a.bmp\n"},
            {"CR LF file stays CR LF", "[Tape]\r\nx=1\r\n", "Tape", "y", "2",
             "[Tape]\r\nx=1\r\ny=2\r\n"},
            {"line breaks in a value", "", "Printer", "Texts", "a\r\nb\nc",
             "[Printer]\nTexts=a  b c\n"},
            {"byte order mark kept", "\xEF\xBB\xBF[Tape]\nx=1\n", "Tape", "x", "2",
             "\xEF\xBB\xBF[Tape]\nx=2\n"},
        };
    for (const auto& [name, before, section, key, value, after] : cases) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const IniFile ini(folder / "Talvex.ini");
        if (!before.empty()) writeFile(ini.path(), before);
        ASSERT_TRUE(ini.write(section, key, value));
        EXPECT_EQ(readFile(ini.path()), after);
    }
}

TEST(IniFileTest, FailedWriteLeavesTheOldFile) {
    TempFolder folder;
    const std::string original = "[Talvex]\nPath=/a\n";
    const IniFile ini(folder / "Talvex.ini");
    writeFile(ini.path(), original);

    EXPECT_FALSE(IniFile(folder / "no-such-folder" / "Talvex.ini").write("Talvex", "Path", "/b"));
    const std::pair<const char*, const char*> badNames[] = {
        {"Talvex", ""}, {"Talvex", "a=b"}, {"Tal]vex", "Path"}, {"Talvex", "a\nb"}};
    for (const auto& [section, key] : badNames) {
        EXPECT_FALSE(ini.write(section, key, "x")) << section << "/" << key;
    }
    // A pipe in the file's place is refused at once, not waited on.
    ASSERT_EQ(::mkfifo((folder / "pipe.ini").c_str(), 0644), 0);
    EXPECT_FALSE(IniFile(folder / "pipe.ini").write("Talvex", "Path", "/b"));
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.ini"));
    fs::remove(folder / "pipe.ini");
    fs::permissions(ini.path(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(ini.write("Talvex", "Path", "/b")) << "a read-only file is not replaced";
    EXPECT_EQ(readFile(ini.path()), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

// Two programs save their settings at exit at the same moment (the tray instance and a window
// started with a tape): each read-modify-write must see the other's keys, and a program reading
// meanwhile, without a lock, always finds a whole file.
TEST(IniFileTest, ConcurrentWritersKeepEachOthersKeys) {
    constexpr int kKeys = 200;
    TempFolder folder;
    writeFile(folder / "Talvex.ini", "[Talvex]\nPath=/a\n");
    const auto writer = [&](const char* section) {
        // Each writer has its own object, as each program has its own store.
        const IniFile ini(folder / "Talvex.ini");
        for (int i = 0; i < kKeys; ++i) {
            EXPECT_TRUE(ini.write(section, "Key" + std::to_string(i), std::to_string(i)));
        }
    };
    const IniFile ini(folder / "Talvex.ini");
    std::atomic<bool> writing = true;
    int torn = 0;
    std::thread reader([&] {
        while (writing) torn += ini.read("Talvex", "Path") != "/a";
    });
    std::thread first(writer, "First");
    std::thread second(writer, "Second");
    first.join();
    second.join();
    writing = false;
    reader.join();
    EXPECT_EQ(torn, 0) << "a reader saw a file half written";

    int kept = 0;
    for (const char* section : {"First", "Second"}) {
        for (int i = 0; i < kKeys; ++i) {
            kept += ini.read(section, "Key" + std::to_string(i)) == std::to_string(i);
        }
    }
    EXPECT_EQ(kept, 2 * kKeys);
    EXPECT_EQ(ini.read("Talvex", "Path"), "/a");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << "no temporary or lock file is left behind";
}

}  // namespace
}  // namespace talvex::testing
