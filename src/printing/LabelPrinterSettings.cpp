#include "printing/LabelPrinterSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kSection = "VantPrint";
constexpr double kDefaultPoints = 10;
constexpr double kFitPaperInches = 2.25;
constexpr double kLeastFitDensity = 10;
constexpr double kLargestFitPoints = 12;
constexpr double kPointsPerCharInch = 120;  // a 10-point font prints 12 characters per inch

double sizePoints(std::string_view size) {
    const double points = size.empty() ? kDefaultPoints : std::atof(std::string(size).c_str());
    return points > 0 && std::isfinite(points) ? points : kDefaultPoints;
}

}  // namespace

std::string LabelPrinterSettings::defaultSizes(int mode) {
    return mode == 1 ? "Fit,6,7.5,10,12,18" : "Fit,5.5,6,7,8,10,12,18";
}

void LabelPrinterSettings::load(const ConfigStore& config) {
    mode = static_cast<int>(config.readNumber(kSection, "Mode", 0));
    model = config.getSetting(kSection, "Model", "");
    port = static_cast<int>(config.readNumber(kSection, "Port", 1));
    printer = config.getSetting(kSection, "Printer", "");
    options = config.readNumber(kSection, "Options", 0);
    fontSizes = config.getSetting(kSection, "FontSizes", "");
    if (fontSizes.empty()) fontSizes = defaultSizes(mode);
    defaultFont = static_cast<int>(config.readNumber(kSection, "DfltFnt", 0));
}

bool LabelPrinterSettings::save(ConfigStore& config) const {
    bool written = config.putSetting(kSection, "Mode", std::to_string(mode));
    written = config.putSetting(kSection, "Model", model) && written;
    written = config.putSetting(kSection, "Port", std::to_string(port)) && written;
    written = config.putSetting(kSection, "Printer", printer) && written;
    written = config.putSetting(kSection, "Options", std::to_string(options)) && written;
    written = config.putSetting(kSection, "FontSizes", fontSizes) && written;
    return config.putSetting(kSection, "DfltFnt", std::to_string(defaultFont)) && written;
}

std::vector<std::string> LabelPrinterSettings::sizeList() const {
    return splitText(fontSizes.empty() ? defaultSizes(mode) : fontSizes, ',');
}

double labelDensity(std::string_view size, int widestLine, double paperInches, double lastDensity) {
    if (size != kFitSize) return kPointsPerCharInch / sizePoints(size);
    if (paperInches <= 0) return std::max(lastDensity, kLeastFitDensity);
    return std::max(widestLine / paperInches, kLeastFitDensity);
}

char densityLetter(double charsPerInch) {
    if (charsPerInch > 16) return 'S';
    if (charsPerInch > 12) return 'P';
    if (charsPerInch > 10) return 'M';
    if (charsPerInch > 7) return 'U';
    return 'T';
}

std::string labelInitialisation(double charsPerInch, std::string_view trunc) {
    std::string bytes = {'\x1B', '*', '\x1B', 'L', '\0', '\x33', '\x1B'};
    bytes += densityLetter(charsPerInch);
    bytes += {'\x1D', 'T'};
    bytes += trunc == kWrap ? '\x03' : '\0';
    return bytes;
}

double labelPointSize(std::string_view size, const std::vector<std::string>& sizes, int widestLine,
                      double paperInches) {
    if (size != kFitSize) return sizePoints(size);
    const double inches = paperInches > 0 ? paperInches : kFitPaperInches;
    const double needed =
        widestLine > 0 ? kPointsPerCharInch / (widestLine / inches) : kLargestFitPoints;
    double best = 0;
    for (const std::string& entry : sizes) {
        const double points = std::atof(entry.c_str());
        if (points > 0 && points <= needed) best = std::max(best, points);
    }
    return std::min(best > 0 ? best : needed, kLargestFitPoints);
}

std::string sizePatternText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    return text;
}

}  // namespace talvex
