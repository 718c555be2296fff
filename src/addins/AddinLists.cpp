#include "addins/AddinLists.h"

#include <array>

namespace talvex {

namespace {

constexpr std::array<AddinInfo, 8> kAddins{{
    {"VantPrint", AddinSlot::device},
    {"VantAtm", AddinSlot::device},
    {"VantX10", AddinSlot::device},
    {"VantBrowser", AddinSlot::device},
    {"Memory", AddinSlot::calculation},
    {"Financial", AddinSlot::calculation},
    {"Mortgage", AddinSlot::calculation},
    {"UserFuncs", AddinSlot::calculation},
}};

constexpr int kFirstDeviceKey = 31;
constexpr int kFirstCalculationKey = 39;

bool firstIn(std::string_view code, std::string_view letters) {
    return !code.empty() && letters.find(code.front()) != std::string_view::npos;
}

}  // namespace

const AddinInfo* findAddin(std::string_view name) {
    for (const AddinInfo& addin : kAddins)
        if (addin.name == name) return &addin;
    return nullptr;
}

std::vector<std::string> slotList(std::string_view configured) {
    std::vector<std::string> list{std::string(kNoAddin)};
    if (configured.empty()) return list;
    for (size_t start = 0;;) {
        const size_t comma = configured.find(',', start);
        list.emplace_back(configured.substr(start, comma - start));
        if (comma == std::string_view::npos) return list;
        start = comma + 1;
    }
}

const std::vector<std::string>& groupModeList() {
    static const std::vector<std::string> modes = {"group totals", "gts with +/-", "Grand Total",
                                                   "GT with +/-"};
    return modes;
}

int devicePanelTopic(int listIndex) {
    return 2090 + 10 * listIndex;
}
int deviceButtonTopic(int listIndex, int key) {
    return 2060 + 10 * listIndex + key;
}
int calculationTopic(int listIndex) {
    return 2019 + listIndex;
}

bool LetterSets::isAddinLetter(std::string_view code) const {
    return firstIn(code, paramLetters) || firstIn(code, sideLetters) || firstIn(code, funcLetters);
}
bool LetterSets::isFunction(std::string_view code) const {
    return firstIn(code, funcLetters);
}
bool LetterSets::isSideResult(std::string_view code) const {
    return firstIn(code, sideLetters);
}
bool LetterSets::wantsResultLine(std::string_view code, bool resultLineOn) const {
    return isFunction(code) && !isSideResult(code) && resultLineOn;
}

// While a line is edited: every key of the label printer and the browser, two keys of the
// dialler, none of the X10 panel; of the calculation add-ins only the first key of the loan and
// function add-ins. Any other key is refused by the engine.
bool editableAddinKey(int key, std::string_view deviceAddin, std::string_view calculationAddin) {
    if (key < kFirstDeviceKey || key >= kFirstCalculationKey + 8) return false;
    if (key < kFirstCalculationKey) {
        if (deviceAddin == "VantPrint" || deviceAddin == "VantBrowser") return true;
        return deviceAddin == "VantAtm" && (key == kFirstDeviceKey || key == kFirstDeviceKey + 5);
    }
    return key == kFirstCalculationKey &&
           (calculationAddin == "Mortgage" || calculationAddin == "UserFuncs");
}

}  // namespace talvex
