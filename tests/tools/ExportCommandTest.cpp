// talvex-tape export's outputs and failures, and finding lines in a key script. What a
// spreadsheet reads from the export is checked with Python's csv module (platform tests).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRun.h"

namespace talvex {
namespace {

std::string sample(const char* name) {
    return std::string(TALVEX_DATA_DIR) + "/" + name;
}

TEST(ExportCommandTest, FormatsOutputsAndFailures) {
    TempFolder folder;
    const std::string household = sample("Household.kwd");
    const Result csv = tool({"export", household});
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(tool({"export", "--csv", household}).out, csv.out);
    EXPECT_EQ(csv.out.substr(0, 41), "Line,No.,Date,Description,Amount,Op,Ref\r\n");
    const std::string out = (folder.path() / "household.csv").string();
    const Result written = tool({"export", household, "-o", out});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(readFile(out), csv.out);

    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } failures[] = {
        {{"export", (folder.path() / "missing.kwd").string()}, 1, "error: cannot read "},
        {{"export", household, "-o", (folder.path() / "no" / "x.csv").string()},
         1,
         "error: cannot write "},
        {{"export", "--csv", "--tsv", household}, 2, "one of --csv and --tsv"},
        {{"export"}, 2, "export needs one file"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.message);
        const Result result = tool(failure.args);
        EXPECT_EQ(result.status, failure.status);
        EXPECT_NE(result.err.find(failure.message), std::string::npos) << result.err;
    }
}

// A line found by its text is the one the next edit changes.
TEST(ExportCommandTest, FindSelectsTheLineAScriptEditsNext) {
    const Result found =
        tool({"keys", "{desc Food}5+{desc Fuel}3+{desc Food}2+T{row 1}{find fUEL}{amount 4}+"});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(tapeLines(found.out), "5. + Food;4. + Fuel;2. + Food;11. T TOTAL; ;");
    const Result missing = tool({"keys", "{desc Food}5+{find zucchini}"});
    EXPECT_NE(missing.err.find("status: Not found: zucchini"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace talvex
