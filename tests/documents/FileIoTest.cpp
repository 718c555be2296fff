// Saving a tape: through links to the real file, never over a pipe, a device, a folder or a
// read-only file, and with the permissions a user's umask asks for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "DocumentHarness.h"
#include "documents/FileIo.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

size_t entries(const fs::path& folder) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string read(const fs::path& path) {
    std::string error;
    return readWholeFile(path, error).value_or("<unreadable: " + error + ">");
}

TEST(FileIoTest, SaveThroughALinkWritesTheLinkedFile) {
    // What "Tape.kwd" points to (absolute when null), what a second link "middle" points to, and
    // the file that must receive the save.
    const struct {
        const char *name, *link, *middle, *real;
        bool realExists;
    } cases[] = {
        {"relative link", "real.kwd", nullptr, "real.kwd", true},
        {"link into a subfolder", "tapes/real.kwd", nullptr, "tapes/real.kwd", true},
        {"absolute link", nullptr, nullptr, "real.kwd", true},
        {"link to a link", "middle", "tapes/real.kwd", "tapes/real.kwd", true},
        {"dangling link", "real.kwd", nullptr, "real.kwd", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        fs::create_directories(folder / "tapes");
        std::string error;
        ASSERT_TRUE(!c.realExists || writeFileAtomically(folder / c.real, "old", error));
        const fs::path link = folder / "Tape.kwd";
        fs::create_symlink(c.link ? fs::path(c.link) : folder / c.real, link);
        if (c.middle) fs::create_symlink(c.middle, folder / "middle");

        ASSERT_TRUE(writeFileAtomically(link, "new", error)) << error;
        EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
        EXPECT_EQ(read(folder / c.real), "new");
        EXPECT_TRUE(!c.middle || fs::is_symlink(folder / "middle"));
    }
}

TEST(FileIoTest, OnlyRegularFilesAreReplaced) {
    const struct {
        const char* name;
        void (*make)(const fs::path&);
        const char* error;
    } cases[] = {
        {"pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
         "it is not a regular file"},
        {"link to a device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); },
         "it is not a regular file"},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, "it is a folder"},
        {"loop of links",
         [](const fs::path& p) {
             fs::create_symlink("other", p);
             fs::create_symlink(p.filename(), p.parent_path() / "other");
         },
         "Too many levels of symbolic links"},
        {"read-only file",
         [](const fs::path& p) {
             std::string error;
             ASSERT_TRUE(writeFileAtomically(p, "old", error));
             fs::permissions(p, fs::perms::owner_read);
         },
         "the file is read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path path = folder / "Tape.kwd";
        c.make(path);
        const size_t before = entries(folder.path());
        const fs::file_type type = fs::symlink_status(path).type();

        std::string error;
        EXPECT_FALSE(writeFileAtomically(path, "new", error));
        EXPECT_EQ(error, c.error) << "the reason the save reports";
        EXPECT_EQ(fs::symlink_status(path).type(), type) << "left as it was";
        if (type == fs::file_type::regular) {
            EXPECT_EQ(read(path), "old");
        }
        EXPECT_EQ(entries(folder.path()), before) << "no temporary file is left behind";
    }
}

TEST(FileIoTest, NewFilesFollowTheUmaskAndOldOnesKeepTheirMode) {
    const struct {
        mode_t umask, existing, expected;  // existing 0: the file is new
    } cases[] = {
        {077, 0, 0600}, {022, 0, 0644}, {002, 0, 0664}, {077, 0644, 0644}, {022, 0600, 0600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << std::oct << "umask " << c.umask << ", existing " << c.existing);
        TempFolder folder;
        const fs::path path = folder / "Tape.kwd";
        std::string error;
        if (c.existing) {
            ASSERT_TRUE(writeFileAtomically(path, "old", error));
            ASSERT_EQ(::chmod(path.c_str(), c.existing), 0);
        }
        const mode_t processMask = ::umask(c.umask);
        const bool written = writeFileAtomically(path, "new", error);
        ::umask(processMask);
        ASSERT_TRUE(written) << error;
        struct stat status {};
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.expected);
        EXPECT_EQ(read(path), "new");
    }
}

}  // namespace
}  // namespace talvex::testing
