#include "session/ModemAddin.h"

#include "addins/AddinFramework.h"

namespace talvex {

namespace {
constexpr int kDeviceSlot = 0;
constexpr const char* kName = "VantAtm";
}  // namespace

ModemAddin::ModemAddin(AddinFramework& framework, Dialler& dialler)
    : framework_(framework), dialler_(dialler) {
    dialler_.setPanel(*this);
}

void ModemAddin::buildPanel(const std::string& menu) {
    framework_.buildPanel(kDeviceSlot, menu);
}

void ModemAddin::reclaimSlot() {
    if (framework_.active(kDeviceSlot) == kName) return;
    const std::vector<std::string>& names = framework_.list(addin_list::kDevices);
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == kName) framework_.selectByIndex(addin_list::kDevices, static_cast<int>(i));
}

void ModemAddin::setButtonText(int button, const std::string& caption, const std::string& tip) {
    framework_.setButtonText(kDeviceSlot, button, caption, tip);
}

void ModemAddin::setButtonEnabled(int button, bool enabled) {
    framework_.setButtonEnabled(kDeviceSlot, button, enabled);
}

void ModemAddin::fillPorts(const std::vector<std::string>& ports, const std::string& selected) {
    framework_.fillList(addin_list::kDeviceSecond, ports, selected);
}

std::string ModemAddin::chosenPort() const {
    const std::vector<std::string>& ports = framework_.list(addin_list::kDeviceSecond);
    const int index = framework_.slotIndex(addin_list::kDeviceSecond);
    return index >= 0 && index < static_cast<int>(ports.size()) ? ports[static_cast<size_t>(index)]
                                                                : std::string();
}

void ModemAddin::dropDownPorts() {
    framework_.dropDownList(addin_list::kDeviceSecond);
}

void ModemAddin::setDigitCapture(bool capture) {
    framework_.setDigitCapture(capture);
}

}  // namespace talvex
