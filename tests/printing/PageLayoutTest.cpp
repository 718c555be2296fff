#include <gtest/gtest.h>

#include "TempFolder.h"
#include "printing/PageLayout.h"
#include "shell/ConfigStore.h"

namespace talvex {
namespace {

namespace flag = layout_flag;
namespace text = layout_text;

// Spacings count in their own unit or in inches, and only while their switch is on; the
// paper's width and height always count.
TEST(PageLayoutTest, MeasuresFollowTheirUnitAndSwitch) {
    const struct {
        int index;
        const char* value;
        bool on;
        double horizontal, vertical;
    } cases[] = {
        {text::kTop, "0.5\"", true, 5, 3},        {text::kTop, "0.5\"", false, 0, 0},
        {text::kLeft, "4", true, 4, 4},           {text::kLeft, "4abc", true, 4, 4},
        {text::kWidth, "2.25\"", false, 22.5, 0}, {text::kHeight, "11.0\"", false, 0, 66},
        {text::kHeight, "", false, 0, 0},         {text::kFooterSpacing, " 2 \" ", true, 20, 12},
    };
    for (const auto& c : cases) {
        PageLayout layout;
        layout.setText(c.index, c.value);
        layout.setFlag(c.index, c.on);
        EXPECT_DOUBLE_EQ(layout.horizontal(c.index, 10), c.horizontal) << c.value;
        EXPECT_DOUBLE_EQ(layout.vertical(c.index, 6), c.vertical) << c.value;
    }
}

// Every switch and text comes back through the tape's "Prt" fields and through the
// configuration file; a stored comma cannot shift the texts after it.
TEST(PageLayoutTest, EveryFieldSurvivesTheTapeAndTheConfiguration) {
    PageLayout layout;
    for (int i = 0; i < flag::kCount; ++i) layout.setFlag(i, i % 3 == 0 ? 7 : 0);
    for (int i = 0; i < text::kCount; ++i) layout.setText(i, "t" + std::to_string(i) + ",\"");
    EXPECT_EQ(layout.text(5), "t5 \"");
    EXPECT_EQ(layout.flag(3), 1);
    testing::TempFolder folder;
    ConfigStore config(folder / "Talvex.ini");
    ASSERT_TRUE(layout.save(config));
    PageLayout fromFields, fromConfig;
    fromFields.setField(0, layout.field(0));
    fromFields.setField(1, layout.field(1));
    fromConfig.load(config);
    for (const PageLayout* copy : {&fromFields, &fromConfig}) {
        for (int i = 0; i < flag::kCount; ++i) EXPECT_EQ(copy->flag(i), layout.flag(i)) << i;
        for (int i = 0; i < text::kCount; ++i) EXPECT_EQ(copy->text(i), layout.text(i)) << i;
    }
}

TEST(PageLayoutTest, StoredKeysMissingOrShortGiveEmptyEntries) {
    const struct {
        const char* ini;
        int flags;
        std::vector<std::string> firstTexts;
    } cases[] = {
        {"[Talvex]\nPath=.\n", 0, {"", "", ""}},
        {"[Printer]\nOptions=\nTexts=\n", 0, {"", "", ""}},
        {"[Printer]\nOptions=524289\nTexts=Tape,a\n", 524289, {"Tape", "a", ""}},
    };
    for (const auto& c : cases) {
        testing::TempFolder folder;
        testing::writeFile(folder / "Talvex.ini", c.ini);
        PageLayout layout;
        layout.setFlag(5, 1);
        layout.setText(2, "stale");
        layout.load(ConfigStore(folder / "Talvex.ini"));
        EXPECT_EQ(layout.flagsText(), std::to_string(c.flags)) << c.ini;
        for (size_t i = 0; i < c.firstTexts.size(); ++i)
            EXPECT_EQ(layout.text(static_cast<int>(i)), c.firstTexts[i]) << c.ini;
        EXPECT_EQ(layout.text(text::kCount - 1), "");
    }
    // Fields past the thirty-third are ignored.
    PageLayout layout;
    layout.setTextsText(std::string(40, ',') + "x");
    EXPECT_EQ(layout.textsText(), std::string(32, ','));
}

TEST(PageLayoutTest, PlaceholdersAreEachReplacedOnceInOrder) {
    const DateTexts now{"G", "D", "MD", "LD", "T", "MT", "LT"};
    const struct {
        const char* text;
        int page;
        const char* tape;
        const char* expected;
    } cases[] = {
        {"Page $page of $tape", 3, "", "Page 3 of "},
        {"$stape|$mtape", 1, "/home/u/Budget.2024.kwd", "Budget|Budget.2024.kwd"},
        {"$mtape", 1, "C:\\Tapes\\Old.kwd", "Old.kwd"},
        {"$date and $date", 1, "", "D and $date"},
        {"$now $sdate $mdate $ldate $time $stime $mtime $ltime", 1, "", "G D MD LD T T MT LT"},
        {"$Page", 2, "", "$Page"},
        // A name bringing in a later placeholder word has that word replaced too.
        {"$tape", 1, "$date", "D"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expandPlaceholders(c.text, c.page, c.tape, now), c.expected) << c.text;
}

// The window redraws the tape when a width it draws changes.
TEST(PageLayoutTest, DrawnWidthsTellTheWindow) {
    PageLayout layout;
    int told = 0;
    layout.onTapeWidthChanged = [&told] { ++told; };
    const struct {
        bool isFlag;
        int index;
        int expectedTold;
    } steps[] = {
        {false, text::kLeft, 0},  {true, flag::kLeft, 1},        {false, text::kLeft, 1},
        {false, text::kWidth, 1}, {false, text::kHeaderText, 0}, {true, flag::kHeader, 0},
    };
    for (const auto& step : steps) {
        told = 0;
        step.isFlag ? layout.setFlag(step.index, 1) : layout.setText(step.index, "2");
        EXPECT_EQ(told, step.expectedTold) << step.index;
    }
}

}  // namespace
}  // namespace talvex
