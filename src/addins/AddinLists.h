// The add-ins the program knows, the lists the slots offer, and the letter sets by which the
// engine tells an add-in's lines from its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// The device slot drives something outside the tape; the calculation slot writes onto it.
enum class AddinSlot { device = 0, calculation = 1 };

struct AddinInfo {
    std::string_view name;  // compared exactly: the list's text and the key of dispatch
    AddinSlot slot;
};

// The eight known add-ins; nullptr for a name nobody answers to.
const AddinInfo* findAddin(std::string_view name);

inline constexpr std::string_view kNoAddin = "{none}";

// A slot's list: "{none}" first, then the names the configuration lists ("Addins0" for the
// device slot, "Addins1" for the calculation slot), unknown names included.
std::vector<std::string> slotList(std::string_view configured);

// The group-total modes, in the order of their numbers.
const std::vector<std::string>& groupModeList();

// The help topic of a panel and of its buttons. Device buttons have key indexes 31 to 38.
int devicePanelTopic(int listIndex);
int deviceButtonTopic(int listIndex, int key);
int calculationTopic(int listIndex);

// The codes of the lines the active calculation add-in writes: parameters, results, and
// results written beside a main result. A code belongs to a set when its first character does.
struct LetterSets {
    std::string paramLetters;
    std::string sideLetters;
    std::string funcLetters;

    bool isAddinLetter(std::string_view code) const;
    bool isFunction(std::string_view code) const;
    bool isSideResult(std::string_view code) const;
    // A main result is followed by a blank line when the result-line option is on.
    bool wantsResultLine(std::string_view code, bool resultLineOn) const;
};

// Whether an add-in key (31 to 46) may be pressed while an existing line is edited, given the
// add-ins active in the two slots.
bool editableAddinKey(int key, std::string_view deviceAddin, std::string_view calculationAddin);

}  // namespace talvex
