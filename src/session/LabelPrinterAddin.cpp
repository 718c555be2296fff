#include "session/LabelPrinterAddin.h"

#include "addins/AddinFramework.h"

namespace talvex {

namespace {
constexpr int kDeviceSlot = 0;
constexpr const char* kName = "VantPrint";
}  // namespace

LabelPrinterAddin::LabelPrinterAddin(AddinFramework& framework, LabelPrinter& printer)
    : framework_(framework), printer_(printer) {
    printer_.setPanel(this);
}

void LabelPrinterAddin::setDeviceKind(int kind) {
    framework_.setDeviceKind(kind);
}

// A print from the toolbar runs the label printer without its panel being shown.
void LabelPrinterAddin::showPanel(const std::string& menu) {
    if (framework_.active(kDeviceSlot) == kName) framework_.buildPanel(kDeviceSlot, menu);
}

void LabelPrinterAddin::fillSizes(const std::vector<std::string>& sizes,
                                  const std::string& selected) {
    framework_.fillList(addin_list::kDeviceSecond, sizes, selected);
}

void LabelPrinterAddin::dropDownSizes() {
    framework_.dropDownList(addin_list::kDeviceSecond);
}

std::string LabelPrinterAddin::chosenSize() const {
    const std::vector<std::string>& sizes = framework_.list(addin_list::kDeviceSecond);
    const int index = framework_.slotIndex(addin_list::kDeviceSecond);
    return index >= 0 && index < static_cast<int>(sizes.size()) ? sizes[static_cast<size_t>(index)]
                                                                : std::string();
}

}  // namespace talvex
