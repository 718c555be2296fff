#include "session/BrowserAddin.h"

#include "addins/AddinFramework.h"

namespace talvex {

namespace {
constexpr int kDeviceSlot = 0;
constexpr const char* kName = "VantBrowser";
}  // namespace

BrowserAddin::BrowserAddin(AddinFramework& framework, BrowserLinks& links)
    : framework_(framework), links_(links) {
    links_.setPanel(*this);
}

void BrowserAddin::entry(int code) {
    framework_.setDeviceKind(kDeviceKind);
    links_.entry(code);
}

void BrowserAddin::buildPanel(const std::string& menu) {
    framework_.buildPanel(kDeviceSlot, menu);
}

bool BrowserAddin::panelShown() const {
    return framework_.active(kDeviceSlot) == kName;
}

void BrowserAddin::setButtonEnabled(int button, bool enabled) {
    framework_.setButtonEnabled(kDeviceSlot, button, enabled);
}

void BrowserAddin::fillCommands(const std::vector<std::string>& commands) {
    framework_.fillList(addin_list::kDeviceOwn, commands, "");
    framework_.selectByIndex(addin_list::kDeviceOwn, -1);
}

void BrowserAddin::setCommandsEnabled(bool enabled) {
    framework_.setListEnabled(addin_list::kDeviceOwn, enabled);
}

void BrowserAddin::dropDownCommands() {
    framework_.dropDownList(addin_list::kDeviceOwn);
}

int BrowserAddin::chosenCommand() const {
    return framework_.slotIndex(addin_list::kDeviceOwn);
}

}  // namespace talvex
