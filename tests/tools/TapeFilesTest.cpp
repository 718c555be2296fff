// talvex-tape with files: saving what was keyed, templates, show, recalc and check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TapeTool.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out, err;
};

Result tool(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runTapeTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class TapeFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("talvex-tool-" + std::to_string(random()));
        fs::create_directories(folder);
        // The user's own configuration must not change what the tests see.
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(TapeFilesTest, SavedTapeShowsTheSameRowsAndRecalculates) {
    const Result keyed = tool({"keys", "-o", file("a.kwd"), "{desc Rent}500+25.5+S3*4=T"});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    const Result shown = tool({"show", file("a.kwd")});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, keyed.out);
    const std::string saved = contents(folder / "a.kwd");
    ASSERT_EQ(tool({"recalc", file("a.kwd"), "-o", file("b.kwd")}).status, 0);
    EXPECT_EQ(tool({"show", file("b.kwd")}).out, keyed.out);
    EXPECT_EQ(contents(folder / "a.kwd"), saved) << "recalc -o leaves the input alone";
    EXPECT_EQ(tool({"check", file("a.kwd")}).out,
              file("a.kwd") + ": version 2, 10 rows, 7 columns\n");
}

TEST_F(TapeFilesTest, TemplatesCarryColumnsAndSettings) {
    ASSERT_EQ(tool({"keys", "--decimal-mode", "0", "--no-data", "-o", file("t.kwt"), ""}).status,
              0);
    EXPECT_EQ(contents(folder / "t.kwt").find("\r\nM"), std::string::npos);
    const Result keyed = tool({"keys", "--template", file("t.kwt"), "1234+5+T"});
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_NE(keyed.out.find("\t12.34\t+\t"), std::string::npos) << keyed.out;
    EXPECT_NE(keyed.out.find("\t12.39\tT\t"), std::string::npos)
        << "add mode came with the template";
    EXPECT_EQ(tool({"keys", "--template", file("missing.kwt"), "1+"}).status, 2);
}

TEST_F(TapeFilesTest, FailuresAreReported) {
    const Result unreadable = tool({"show", file("nothing.kwd")});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("cannot read"), std::string::npos);
    const Result unwritable = tool({"keys", "-o", file("no/such/folder/a.kwd"), "1+"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot save"), std::string::npos);
    std::ofstream(folder / "junk.kwd") << std::string("\0\0garbage\n7\tx", 13);
    const Result checked = tool({"check", file("junk.kwd")});
    EXPECT_EQ(checked.status, 1);
    EXPECT_NE(checked.out.find("problem: "), std::string::npos);
    EXPECT_EQ(tool({"show"}).status, 2);
}

// The shipped tapes load cleanly and recalculate to exactly what they show.
TEST_F(TapeFilesTest, ShippedTapesAreConsistent) {
    for (const char* name : {"!Default.kwt", "Readme45.kwd", "Household.kwd", "Invoice.kwd"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TALVEX_DATA_DIR) + "/" + name;
        const Result checked = tool({"check", path});
        EXPECT_EQ(checked.status, 0) << checked.out;
        ASSERT_EQ(tool({"recalc", path, "-o", file("again.kwd")}).status, 0);
        EXPECT_EQ(tool({"show", file("again.kwd")}).out, tool({"show", path}).out);
        if (std::string(name).ends_with(".kwd")) {
            EXPECT_EQ(contents(folder / "again.kwd"), contents(path)) << "saved with current rows";
        }
    }
}

}  // namespace
}  // namespace talvex
