// The colours as the window shows them: built-in defaults follow a dark desktop, a colour the
// user chose does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/OptionNumbers.h"
#include "shell/OptionTable.h"

namespace talvex::testing {
namespace {

constexpr long long kUserBlue = 0xff0000;  // Windows RGB: blue in the third byte

TEST(OptionColoursTest, DefaultsFollowTheDesktopAndChosenColoursStay) {
    for (int c = 0; c < OptionTable::kColourCount; ++c) {
        SCOPED_TRACE(std::string(OptionTable::colourName(c)) + " " + std::to_string(c));
        OptionTable options;
        EXPECT_EQ(options.shownColour(c, false), OptionTable::defaultColour(c));
        EXPECT_EQ(options.shownColour(c, true), OptionTable::darkDefaultColour(c));
        options.setColour(c, kUserBlue);
        EXPECT_EQ(options.shownColour(c, false), kUserBlue);
        EXPECT_EQ(options.shownColour(c, true), kUserBlue);
    }
}

TEST(OptionColoursTest, DarkSetTurnsThePaperDark) {
    // The brightest channel stands in for lightness: the paper and its print swap sides, the
    // LCD does not.
    const auto brightest = [](long long rgb) {
        return std::max({rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff});
    };
    struct Case {
        int colour;
        bool lightInDark;  // light under a dark desktop
    };
    const Case cases[] = {
        {colour::kBackground, false},  {colour::kNormalLines, true},
        {colour::kLineNosBack, false}, {colour::kHeadersBack, false},
        {colour::kHeadersText, true},  {colour::kNotesBack, false},
        {colour::kNotesText, true},    {colour::kKeypadBack, false},
        {colour::kTotalLines, true},   {colour::kLcdBackground, false},
        {colour::kLcdDataEntry, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(OptionTable::colourName(c.colour));
        const long long dark = OptionTable::darkDefaultColour(c.colour);
        EXPECT_EQ(brightest(dark) > 160, c.lightInDark) << dark;
        EXPECT_TRUE(brightest(dark) < 100 || brightest(dark) > 160) << "clearly light or dark";
    }
    EXPECT_EQ(OptionTable::darkDefaultColour(-1), 0);
    EXPECT_EQ(OptionTable::darkDefaultColour(OptionTable::kColourCount), 0);
}

}  // namespace
}  // namespace talvex::testing
