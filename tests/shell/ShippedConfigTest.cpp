// The configuration the build puts into its working folder: clean of a running instance's key,
// and a file of the build's own, so a run's settings never reach the source tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempFolder.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(ShippedConfigTest, BuildCopyLeavesOutTheIpcSectionAndKeepsUserSettings) {
    struct CopyCase {
        const char* name;
        const char* target;  // nullptr: none; "->": a link to the source
        const char* expected;
    };
    const char* const source =
        "; note\n[Talvex]\nPath=.\n\n[ipc]\nTalvex=/run/x.socket\n\n"
        "[WEB]\nPageCount=0\n";
    const char* const clean = "; note\n[Talvex]\nPath=.\n\n[WEB]\nPageCount=0\n";
    const CopyCase cases[] = {
        {"missing", nullptr, clean},
        {"a link to the source", "->", clean},
        {"the user's own", "[Talvex]\nPath=/mine\n", "[Talvex]\nPath=/mine\n"},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeFile(folder / "data.ini", source);
        const fs::path target = folder / "bin" / "Talvex.ini";
        fs::create_directories(target.parent_path());
        if (c.target && std::string(c.target) == "->")
            fs::create_symlink(folder / "data.ini", target);
        if (c.target && std::string(c.target) != "->") writeFile(target, c.target);

        const std::string command =
            std::string(TALVEX_CMAKE) + " -DTALVEX_INI_SOURCE=" + (folder / "data.ini").string() +
            " -DTALVEX_INI_TARGET=" + target.string() + " -P " + TALVEX_SHIPPED_INI_SCRIPT;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_FALSE(fs::is_symlink(target));
        EXPECT_EQ(readFile(target), c.expected);
        EXPECT_EQ(readFile(folder / "data.ini"), source) << "the source is never written";
    }
}

}  // namespace
}  // namespace talvex::testing
