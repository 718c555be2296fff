// The add-in framework's texts: menu strings into panels, the slots' lists, and the letter sets
// by which add-in lines are told apart.
#include <gtest/gtest.h>

#include "addins/AddinLists.h"
#include "addins/MenuString.h"

namespace talvex {
namespace {

// Each button as "caption|tip|tag", hidden ones as "-".
std::string shown(const PanelLayout& panel) {
    std::string text = panel.name + ":";
    for (const PanelButton& b : panel.buttons)
        text += b.shown() ? b.caption + "|" + b.tip + "|" + b.tag + ";" : std::string("-;");
    return text;
}

TEST(MenuStringTest, ItemsBecomeButtons) {
    const struct {
        const char* menu;
        const char* panel;
    } cases[] = {
        {"Memory:M*,Memory Total;M^,Memory SubTotal;M-,Subtract from Mem;M+,Add to Mem",
         "Memory:M*|Memory Total|;M^|Memory SubTotal|;M-|Subtract from Mem|;M+|Add to "
         "Mem|;-;-;-;-;"},
        // A tip defaults to the caption; the tag keeps its commas; an empty item is a gap.
        {"UserFuncs:def,Define Parameter,d;On;;Setup...,Setup/Edit Definitions,;x,,a,b,c",
         "UserFuncs:def|Define Parameter|d;On|On|;-;Setup...|Setup/Edit Definitions|;x|x|a,b,c;"
         "-;-;-;"},
        {"Nine:1;2;3;4;5;6;7;8;9", "Nine:1|1|;2|2|;3|3|;4|4|;5|5|;6|6|;7|7|;8|8|;"},
        {"NoItems", "NoItems:-;-;-;-;-;-;-;-;"},
        {"Trailing:a;", "Trailing:a|a|;-;-;-;-;-;-;-;"},
        {"", ":-;-;-;-;-;-;-;-;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        EXPECT_EQ(shown(parseMenuString(c.menu)), c.panel);
    }
}

TEST(AddinListsTest, SlotListsStartWithNone) {
    EXPECT_EQ(slotList(""), std::vector<std::string>{"{none}"});
    EXPECT_EQ(slotList("Mortgage,UserFuncs,Abacus"),
              (std::vector<std::string>{"{none}", "Mortgage", "UserFuncs", "Abacus"}));
    EXPECT_EQ(slotList("Memory,"), (std::vector<std::string>{"{none}", "Memory", ""}));
    ASSERT_NE(findAddin("UserFuncs"), nullptr);
    EXPECT_EQ(findAddin("UserFuncs")->slot, AddinSlot::calculation);
    EXPECT_EQ(findAddin("userfuncs"), nullptr) << "names are compared exactly";
    EXPECT_EQ(findAddin("Abacus"), nullptr);
}

TEST(AddinListsTest, LettersTellAddinLinesApart) {
    const LetterSets letters{"pn", "i", "Mi"};
    const struct {
        const char* code;
        bool addin, function, side, resultLine;
    } cases[] = {
        {"M", true, true, false, true},    {"Mx", true, true, false, true},
        {"i", true, true, true, false},    {"p", true, false, false, false},
        {"+", false, false, false, false}, {"", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(letters.isAddinLetter(c.code), c.addin);
        EXPECT_EQ(letters.isFunction(c.code), c.function);
        EXPECT_EQ(letters.isSideResult(c.code), c.side);
        EXPECT_EQ(letters.wantsResultLine(c.code, true), c.resultLine);
        EXPECT_FALSE(letters.wantsResultLine(c.code, false));
    }
}

}  // namespace
}  // namespace talvex
