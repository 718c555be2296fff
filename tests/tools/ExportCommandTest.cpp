// talvex-tape export: the shipped tapes as a spreadsheet reads them, and finding lines in a
// key script.
#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "ToolRun.h"
#include "engine/NumberFormat.h"

namespace talvex {
namespace {

std::string sample(const char* name) {
    return std::string(TALVEX_DATA_DIR) + "/" + name;
}

double number(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

// Two views of one tape: `show` prints its rows as stored, `export --tsv` its lines for a
// spreadsheet. Every line is there once, in order, and each amount is the number the tape reads.
TEST(ExportCommandTest, EveryLineAndAmountOfTheShippedTapes) {
    const TempFolder noUserConfiguration;
    const NumberFormatter tapeNumbers;
    for (const char* name : {"Household.kwd", "Invoice.kwd", "Loan.kwd", "Readme45.kwd"}) {
        SCOPED_TRACE(name);
        const Result shown = tool({"show", sample(name)});
        const Result exported = tool({"export", "--tsv", sample(name)});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const auto rows = printedCells(shown.out);
        const auto lines = printedCells(exported.out);
        ASSERT_EQ(lines.front(), (std::vector<std::string>{"Line", "No.", "Date", "Description",
                                                           "Amount", "Op", "Ref", ""}));
        ASSERT_EQ(lines.size(), rows.size()) << "the header instead of the open row";
        for (size_t i = 1; i < lines.size(); ++i) {
            const auto& row = rows[i - 1];
            EXPECT_EQ(lines[i][0], row[0]);
            EXPECT_EQ(lines[i][3], row[3]);
            EXPECT_EQ(lines[i][5], row[5]);
            EXPECT_EQ(lines[i][4].empty(), row[4].empty()) << row[4];
            if (!row[4].empty()) {
                EXPECT_EQ(number(lines[i][4]), tapeNumbers.read(row[4])) << row[4];
            }
        }
    }
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
