#include "printing/LabelPrinter.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "shell/ConfigStore.h"

namespace talvex {

namespace {

namespace code = label_code;

// The panel's Size and Trnc buttons show the current choices as their captions.
std::string menuWithCaptions(const std::string& size, const std::string& trunc) {
    std::string menu = kLabelPrinterMenu;
    const auto replace = [&menu](std::string_view item, const std::string& caption) {
        const size_t at = menu.find(item);
        if (at != std::string::npos && !caption.empty()) menu.replace(at, item.size(), caption);
    };
    replace(";Size,", ";" + size + ",");
    replace(";Trnc,", ";" + trunc + ",");
    return menu;
}

}  // namespace

LabelPrinter::LabelPrinter(ConfigStore& config) : config_(config) {
    settings_.fontSizes = LabelPrinterSettings::defaultSizes(settings_.mode);
}

void LabelPrinter::entry(int eventCode) {
    if (panel_) panel_->setDeviceKind(kDeviceKind);
    switch (eventCode) {
        case code::kLoad:
            settings_.load(config_);
            return;
        case code::kSave:
            if (dirty_) saveSettings();
            return;
        case code::kSize:
            if (panel_) panel_->dropDownSizes();
            return;
        case code::kInstall:
            install();
            break;
        case code::kSetup:
            active_ = label_active::kIdle;
            if (host_ && host_->setup()) saveSettings();
            break;
        case code::kTest:
            active_ = label_active::kTesting;
            if (host_) host_->printRows(1, kTestRows);
            break;
        case code::kFeed:
            active_ = label_active::kIdle;
            if (host_) host_->feed();
            break;
        case code::kPrint:
            active_ = label_active::kPrinting;
            if (host_) host_->printRows(1, std::numeric_limits<int>::max());
            break;
        case code::kSizeChosen:
            if (filling_) return;
            chooseSize();
            break;
        case code::kTrunc:
            trunc_ = trunc_ == kTruncate ? kWrap : kTruncate;
            break;
        default:
            return;
    }
    active_ = std::min(active_, label_active::kIdle);
    showPanel();
}

void LabelPrinter::install() {
    trunc_ = kTruncate;
    filling_ = true;
    if (panel_) panel_->fillSizes(settings_.sizeList(), *size_);
    filling_ = false;
}

void LabelPrinter::showPanel() {
    if (panel_) panel_->showPanel(menuWithCaptions(*size_, trunc_));
}

void LabelPrinter::chooseSize() {
    const std::string chosen = panel_ ? panel_->chosenSize() : std::string();
    if (!chosen.empty()) *size_ = chosen;
}

void LabelPrinter::setSettings(const LabelPrinterSettings& settings) {
    settings_ = settings;
    settings_.fontSizes = LabelPrinterSettings::defaultSizes(settings_.mode);
    dirty_ = true;
}

void LabelPrinter::saveSettings() {
    if (settings_.save(config_)) dirty_ = false;
}

double LabelPrinter::density(int widestLine, double paperInches) {
    lastDensity_ = labelDensity(*size_, widestLine, paperInches, lastDensity_);
    return lastDensity_;
}

}  // namespace talvex
