// talvex-tape print: the tape on its page layout as text.
#include <gtest/gtest.h>

#include <sstream>

#include "ToolRun.h"

namespace talvex {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

class PrintCommandTest : public ::testing::Test {
  protected:
    // A configuration whose layout prints a header naming the tape.
    void SetUp() override {
        testing::writeFile(folder_ / "Talvex.ini",
                           "[Talvex]\nPath=.\n[Printer]\nOptions=32768\n"
                           "Texts=Table Report,,INI $stape\n");
        const Result keyed = tool({"keys", "-o", tape(), "5+7+ST3+G"});
        ASSERT_EQ(keyed.status, 0) << keyed.err;
    }
    std::string tape() const { return (folder_ / "Budget.2024.kwd").string(); }

    TempFolder folder_;
};

// Each printed line holds the cells of one row as talvex-tape shows them, in column order.
TEST_F(PrintCommandTest, PrintedLinesAreTheTapesRows) {
    const Result shown = tool({"show", tape()});
    const Result printed = tool({"print", tape(), "--text"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::vector<std::string> lines = linesOf(printed.out);
    const auto rows = printedCells(shown.out);
    ASSERT_EQ(lines.size(), rows.size());  // the header line, and no open row
    EXPECT_EQ(words(lines[0]), (std::vector<std::string>{"INI", "Budget"}));
    for (size_t r = 0; r + 1 < rows.size(); ++r) {
        std::vector<std::string> cells;
        for (size_t c = 1; c <= 6 && c < rows[r].size(); ++c)
            for (const std::string& word : words(rows[r][c])) cells.push_back(word);
        EXPECT_EQ(words(lines[r + 1]), cells) << r;
    }
}

// A tape that carries its layout prints with it; the range counts from the first line.
TEST_F(PrintCommandTest, TheTapesOwnLayoutAndTheRangeAreUsed) {
    std::string text = readFile(tape());
    const size_t prt = text.find("Prt\t0");
    ASSERT_NE(prt, std::string::npos);
    text.replace(prt, 5, "Prt\t1\t32768\tTape,,Own $mtape");
    testing::writeFile(tape(), text);
    const Result printed = tool({"print", tape(), "--from", "2", "--to", "3"});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::vector<std::string> lines = linesOf(printed.out);
    ASSERT_EQ(lines.size(), 2u);  // the subtotal line is not printed in the tape format
    EXPECT_EQ(words(lines[0]), (std::vector<std::string>{"Own", "Budget.2024.kwd"}));
    EXPECT_EQ(words(lines[1]), (std::vector<std::string>{"7.", "+"}));
}

TEST_F(PrintCommandTest, BadRangesAndMissingFilesAreRefused) {
    EXPECT_EQ(tool({"print", tape(), "--from", "3", "--to", "2"}).status, 2);
    EXPECT_EQ(tool({"print", tape(), "--from", "x"}).status, 2);
    EXPECT_EQ(tool({"print"}).status, 2);
    EXPECT_EQ(tool({"print", (folder_ / "none.kwd").string()}).status, 1);
}

}  // namespace
}  // namespace talvex
