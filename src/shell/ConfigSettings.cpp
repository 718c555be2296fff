// The typed settings of "Talvex.ini", each with its default. They always use section
// "Talvex", whichever application section an add-in has switched to.
#include <algorithm>
#include <climits>

#include "engine/TapeLayout.h"
#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

using config_section::kTalvex;
using config_section::kVantCalc;

constexpr std::string_view kAutoLoad = "AutoLoad";
constexpr std::string_view kMaxRows = "MaxRows";
constexpr std::string_view kMaxCols = "MaxCols";
constexpr std::string_view kStarLine = "StarLine";
constexpr std::string_view kResultLine = "ResultLine";
constexpr std::string_view kVantCalcKey = "VantCalc";
constexpr std::string_view kAddins = "Addins";
constexpr std::string_view kPageCount = "PageCount";
constexpr std::string_view kPage = "Page";
constexpr std::string_view kBars = "Bars";
constexpr std::string_view kAlwaysOnTop = "AlwaysOnTop";
constexpr std::string_view kMainWindow = "MainWindow";

constexpr int kDefaultMaxCols = 11;
constexpr std::string_view kNormalBars = "1,1";
constexpr std::string_view kCompactBars = "0,0";

std::string_view switchText(bool on) {
    return on ? "1" : "0";
}

int positiveOr(long long value, int fallback) {
    return value > 0 ? static_cast<int>(std::min<long long>(value, INT_MAX)) : fallback;
}

}  // namespace

bool ConfigStore::autoLoad() const {
    return readNumber(kTalvex, kAutoLoad, 0) != 0;
}

bool ConfigStore::writeAutoLoad(bool on) {
    return putSetting(kTalvex, kAutoLoad, switchText(on));
}

int ConfigStore::maxRows() const {
    return positiveOr(readNumber(kTalvex, kMaxRows, TapeLayout::kDefaultMaxRows),
                      TapeLayout::kDefaultMaxRows);
}

int ConfigStore::maxCols() const {
    return positiveOr(readNumber(kTalvex, kMaxCols, kDefaultMaxCols), kDefaultMaxCols);
}

long long ConfigStore::starLine() const {
    return readNumber(kTalvex, kStarLine, -1);
}

long long ConfigStore::resultLine() const {
    return readNumber(kTalvex, kResultLine, -1);
}

bool ConfigStore::vantCalc() const {
    return readNumber(kTalvex, kVantCalcKey, 0) != 0;
}

bool ConfigStore::writeVantCalc(bool on) {
    return putSetting(kTalvex, kVantCalcKey, switchText(on));
}

std::string ConfigStore::addins(int list) const {
    return getSetting(kTalvex, std::string(kAddins) + std::to_string(list), "");
}

std::vector<std::string> ConfigStore::webPages() const {
    // A damaged count must not make the start read the file a billion times.
    const long long count =
        std::clamp<long long>(readNumber(config_section::kWeb, kPageCount, 0), 0, kMaxWebPages);
    std::vector<std::string> pages;
    for (long long n = 1; n <= count; ++n) {
        pages.push_back(
            getSetting(config_section::kWeb, std::string(kPage) + std::to_string(n), ""));
    }
    return pages;
}

std::string ConfigStore::bars(std::string_view section) const {
    const bool compact = equalIgnoringCase(section, kVantCalc);
    return getSetting(section, kBars, compact ? kCompactBars : kNormalBars);
}

bool ConfigStore::writeBars(std::string_view section, std::string_view text) {
    return putSetting(section, kBars, text);
}

bool ConfigStore::alwaysOnTop() const {
    return readNumber(kVantCalc, kAlwaysOnTop, 0) != 0;
}

std::string ConfigStore::mainWindowText() const {
    return getSetting(kTalvex, kMainWindow, "");
}

WindowGeometry ConfigStore::mainWindow(int screenHeight, int screenWidth) const {
    const std::string text = mainWindowText();
    if (text.empty()) return defaultWindowGeometry(screenHeight, screenWidth);
    return parseWindowGeometry(text);
}

bool ConfigStore::writeMainWindow(const WindowGeometry& geometry) {
    return putSetting(kTalvex, kMainWindow, windowGeometryText(geometry));
}

}  // namespace talvex
