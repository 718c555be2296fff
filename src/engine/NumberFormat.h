#pragma once

#include <string>
#include <string_view>

namespace talvex {

// The characters the system uses for the decimal point and the thousands groups.
struct NumberSymbols {
    char decSep = '.';
    char thousandsSep = ',';

    // The thousands separator is "," unless "," is the decimal separator, then ".".
    static NumberSymbols forDecSep(char decSep);
};

// The calculator options that decide how numbers look (SetCalcOption indexes 0 to 4).
struct CalcOptions {
    int calcType = 0;        // 0: stored for the options dialog only
    int decimalMode = 1;     // 1: 0 add mode, 1 floating, 2 whole numbers, 3 fixed places
    int places = 2;          // 2: places of decimal mode 3
    bool round = true;       // 3: round (on) or truncate (off)
    bool thousands = false;  // 4: thousands separators
};

// Shown instead of a number that is not finite (an overflow or an undefined result).
inline constexpr std::string_view kOverflowText = "Overflow";

// The number pattern of a set of options, e.g. "###########0.##########" for floating decimals.
std::string formatPattern(const CalcOptions& options);

// Formats v with a pattern of "#", "0", "," and "." (integer part, then decimal part).
// v is first rounded to 15 significant digits, then half away from zero to the places the
// pattern shows. A result that rounds to zero has no minus sign.
std::string formatWithPattern(double v, std::string_view pattern, const NumberSymbols& symbols);

// The one formatter of the engine: FormatNumber and PlainNumber, and reading numbers back.
class NumberFormatter {
  public:
    explicit NumberFormatter(NumberSymbols symbols = {});

    // Sets option 0..4 and rebuilds the pattern; other indexes are ignored (returns false).
    bool setOption(int index, int value);
    int option(int index) const;
    const CalcOptions& options() const { return options_; }
    const std::string& pattern() const { return pattern_; }
    const NumberSymbols& symbols() const { return symbols_; }
    char decSep() const { return symbols_.decSep; }

    // FormatNumber: the text of v for the tape and the display, rounding or truncating.
    std::string format(double v) const;
    // PlainNumber: general format, up to 15 significant digits, no groups, no exponent.
    std::string plain(double v) const;
    // The shortest text that reads back to exactly v (register records, raw values).
    std::string exact(double v) const;
    // The leading numeric part of a text (0 when there is none); thousands separators in
    // the integer part are skipped, so "1,234.50" reads as 1234.5.
    double read(std::string_view text) const;

  private:
    NumberSymbols symbols_;
    CalcOptions options_;
    std::string pattern_;
    std::string truncatingPattern_;  // the pattern with one place more, made once
};

}  // namespace talvex
