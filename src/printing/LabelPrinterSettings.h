// The label printer's settings (INI section "VantPrint") and the rules that turn its size
// choice into a density or a point size.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class ConfigStore;

inline constexpr const char* kLabelPrinterModel = "CoStar LabelWriter Ascii-250";
inline constexpr const char* kFitSize = "Fit";
inline constexpr const char* kTruncate = "Trnc";
inline constexpr const char* kWrap = "Wrp";

struct LabelPrinterSettings {
    int mode = 0;  // 0 a printer of the system, 1 direct connect on a serial port
    std::string model;
    int port = 1;  // COM1 to COM4
    std::string printer;
    long long options = 0;  // 1: the panel is shown for a tape that names none
    std::string fontSizes;
    int defaultFont = 0;

    // Missing keys take their defaults; an empty size list the one of the mode.
    void load(const ConfigStore& config);
    bool save(ConfigStore& config) const;
    std::vector<std::string> sizeList() const;

    static std::string defaultSizes(int mode);
};

// Characters per inch for a direct-connect print: "Fit" spreads the widest line over the
// paper, at least 10 (lastDensity, at least 10, when the paper has no width); a point size s
// gives 120 / s; an empty size counts as 10 points.
double labelDensity(std::string_view size, int widestLine, double paperInches, double lastDensity);
// The printer's density command: "S", "P", "M", "U" or "T".
char densityLetter(double charsPerInch);
// The bytes that set the printer up before a print or feed, without the line end.
std::string labelInitialisation(double charsPerInch, std::string_view trunc);
// The point size of the label printer's font on a printer of the system: a "Fit" takes the
// largest listed size that still fits the widest line, never more than 12.
double labelPointSize(std::string_view size, const std::vector<std::string>& sizes, int widestLine,
                      double paperInches);
// 12 as "12.", 8.571 as "8.57": at most two decimals, the point always shown.
std::string sizePatternText(double value);

}  // namespace talvex
