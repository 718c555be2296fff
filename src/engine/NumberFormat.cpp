#include "engine/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace talvex {

namespace {

// A decimal number as text, so rounding happens on the digits the user sees rather than on
// the binary value (which would turn 2.675 into 2.67).
struct Decimal {
    bool negative = false;
    std::string intDigits;   // may carry leading zeros
    std::string fracDigits;  // may carry trailing zeros
};

// A double shows at most 15 significant digits; the 16th and 17th are binary noise that
// would make 0.1 + 0.2 look like 0.30000000000000004.
constexpr int kSignificantDigits = 15;
constexpr int kMaxPlaces = 15;
constexpr std::string_view kFloatingDecimals = ".##########";

// The 15 significant digits of |v| and the power of ten of the first one.
std::pair<std::string, int> significantDigits(double v) {
    std::array<char, 64> buf;
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v),
                             std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buf.data(), static_cast<size_t>(res.ptr - buf.data()));
    const size_t e = std::min(text.find('e'), text.size());
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    int exponent = 0;
    if (e + 1 < text.size()) {
        const size_t start = text[e + 1] == '+' ? e + 2 : e + 1;
        std::from_chars(text.data() + start, text.data() + text.size(), exponent);
    }
    return {digits, exponent};
}

Decimal toDecimal15(double v) {
    const auto [digits, exponent] = significantDigits(v);
    // The first digit sits in front of the point, so exponent + 1 digits are whole.
    const int whole = exponent + 1;
    const int count = static_cast<int>(digits.size());
    Decimal d;
    d.negative = std::signbit(v);
    if (whole <= 0) {
        d.fracDigits = std::string(static_cast<size_t>(-whole), '0') + digits;
    } else if (whole >= count) {
        d.intDigits = digits + std::string(static_cast<size_t>(whole - count), '0');
    } else {
        d.intDigits = digits.substr(0, static_cast<size_t>(whole));
        d.fracDigits = digits.substr(static_cast<size_t>(whole));
    }
    return d;
}

// Adds one unit in the last place; a carry out of the top grows the integer part.
void incrementLast(Decimal& d) {
    for (std::string* part : {&d.fracDigits, &d.intDigits}) {
        for (auto it = part->rbegin(); it != part->rend(); ++it) {
            if (*it != '9') {
                ++*it;
                return;
            }
            *it = '0';
        }
    }
    d.intDigits.insert(d.intDigits.begin(), '1');
}

// Half away from zero: the sign is kept aside, so rounding the magnitude up is enough.
void roundToPlaces(Decimal& d, size_t places) {
    if (d.fracDigits.size() <= places) return;
    const bool up = d.fracDigits[places] >= '5';
    d.fracDigits.resize(places);
    if (up) incrementLast(d);
}

void stripLeadingZeros(std::string& digits) {
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
}

void stripTrailingZeros(std::string& digits, size_t keep) {
    size_t end = digits.size();
    while (end > keep && digits[end - 1] == '0') --end;
    digits.resize(end);
}

bool hasNonZeroDigit(std::string_view text) {
    return text.find_first_of("123456789") != std::string_view::npos;
}

std::string groupThousands(const std::string& digits, char sep) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += sep;
        out += digits[i];
    }
    return out;
}

// What a pattern asks for, read once so the formatting itself stays simple.
struct PatternInfo {
    size_t minIntDigits = 0;
    bool grouped = false;
    bool hasSeparator = false;
    size_t places = 0;       // '0' and '#' after the separator
    size_t fixedPlaces = 0;  // places up to and including the last '0'
};

PatternInfo parsePattern(std::string_view pattern) {
    PatternInfo info;
    const size_t dot = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, dot);
    info.minIntDigits = static_cast<size_t>(std::count(intPart.begin(), intPart.end(), '0'));
    info.grouped = intPart.find(',') != std::string_view::npos;
    if (dot == std::string_view::npos) return info;
    info.hasSeparator = true;
    for (char c : pattern.substr(dot + 1)) {
        if (c != '0' && c != '#') continue;
        ++info.places;
        if (c == '0') info.fixedPlaces = info.places;
    }
    return info;
}

std::string assemble(bool negative, std::string intText, std::string_view sep,
                     const std::string& frac) {
    std::string out;
    if (negative && (hasNonZeroDigit(intText) || hasNonZeroDigit(frac))) out += '-';
    out += intText;
    out += sep;
    out += frac;
    return out;
}

}  // namespace

NumberSymbols NumberSymbols::forDecSep(char decSep) {
    return NumberSymbols{decSep, decSep == ',' ? '.' : ','};
}

std::string formatPattern(const CalcOptions& options) {
    std::string pattern = options.thousands ? "###,###,###,##0" : "###########0";
    switch (options.decimalMode) {
        case 0:
            return pattern + ".00";
        case 2:
            return pattern + ".";
        case 3: {
            const int places = std::clamp(options.places, 0, kMaxPlaces);
            return pattern + "." + std::string(static_cast<size_t>(places), '0');
        }
        default:
            return pattern + std::string(kFloatingDecimals);
    }
}

std::string formatWithPattern(double v, std::string_view pattern, const NumberSymbols& symbols) {
    if (!std::isfinite(v)) return std::string(kOverflowText);
    const PatternInfo info = parsePattern(pattern);
    Decimal d = toDecimal15(v);
    roundToPlaces(d, info.places);

    stripLeadingZeros(d.intDigits);
    if (d.intDigits.size() < info.minIntDigits) {
        d.intDigits.insert(0, info.minIntDigits - d.intDigits.size(), '0');
    }
    d.fracDigits.resize(info.places, '0');
    stripTrailingZeros(d.fracDigits, info.fixedPlaces);
    // A pattern without any digit placeholder would print nothing at all for zero.
    if (d.intDigits.empty() && d.fracDigits.empty()) d.intDigits = "0";

    std::string intText =
        info.grouped ? groupThousands(d.intDigits, symbols.thousandsSep) : d.intDigits;
    // A bare "." in the pattern asks for the separator; '#' places that all vanished do not.
    const bool showSep = info.hasSeparator && (!d.fracDigits.empty() || info.places == 0);
    return assemble(d.negative, std::move(intText),
                    showSep ? std::string_view(&symbols.decSep, 1) : std::string_view(),
                    d.fracDigits);
}

NumberFormatter::NumberFormatter(NumberSymbols symbols)
    : symbols_(symbols), pattern_(formatPattern(options_)), truncatingPattern_(pattern_ + "0") {}

bool NumberFormatter::setOption(int index, int value) {
    switch (index) {
        case 0:
            options_.calcType = value;
            break;
        case 1:
            options_.decimalMode = value;
            break;
        case 2:
            options_.places = value;
            break;
        case 3:
            options_.round = value != 0;
            break;
        case 4:
            options_.thousands = value != 0;
            break;
        default:
            return false;
    }
    pattern_ = formatPattern(options_);
    truncatingPattern_ = pattern_ + "0";
    return true;
}

int NumberFormatter::option(int index) const {
    switch (index) {
        case 0:
            return options_.calcType;
        case 1:
            return options_.decimalMode;
        case 2:
            return options_.places;
        case 3:
            return options_.round ? 1 : 0;
        case 4:
            return options_.thousands ? 1 : 0;
        default:
            return -1;
    }
}

std::string NumberFormatter::format(double v) const {
    if (options_.decimalMode == 1 || options_.round) {
        return formatWithPattern(v, pattern_, symbols_);
    }
    // Truncation: show one digit more than asked and cut it off. Every non-floating
    // pattern ends in its decimal part, so the extra "0" is always one more place.
    std::string text = formatWithPattern(v, truncatingPattern_, symbols_);
    if (text == kOverflowText) return text;
    text.pop_back();
    if (!text.empty() && text.front() == '-' && !hasNonZeroDigit(text)) text.erase(0, 1);
    return text;
}

std::string NumberFormatter::plain(double v) const {
    if (!std::isfinite(v)) return std::string(kOverflowText);
    Decimal d = toDecimal15(v);
    stripLeadingZeros(d.intDigits);
    stripTrailingZeros(d.fracDigits, 0);
    if (d.intDigits.empty()) d.intDigits = "0";
    const std::string_view sep =
        d.fracDigits.empty() ? std::string_view() : std::string_view(&symbols_.decSep, 1);
    return assemble(d.negative, d.intDigits, sep, d.fracDigits);
}

std::string NumberFormatter::exact(double v) const {
    if (!std::isfinite(v)) return std::string(kOverflowText);
    // The longest shortest-fixed texts are the largest double (310 characters with its sign)
    // and the subnormals (about 330), so 400 always fits.
    std::array<char, 400> buf;  // written by to_chars: clearing it would cost more than the rest
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc()) return std::string(kOverflowText);
    std::string text(buf.data(), res.ptr);
    std::replace(text.begin(), text.end(), '.', symbols_.decSep);
    if (text == "-0") text = "0";
    return text;
}

double NumberFormatter::read(std::string_view text) const {
    size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) return 0.0;
    const auto isDigit = [&](size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };

    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';

    std::string intDigits;
    for (; pos < text.size(); ++pos) {
        if (isDigit(pos)) {
            intDigits += text[pos];
        } else if (text[pos] != symbols_.thousandsSep || intDigits.empty() || !isDigit(pos + 1)) {
            break;
        }
    }
    std::string fracDigits;
    if (pos < text.size() && text[pos] == symbols_.decSep) {
        for (++pos; isDigit(pos); ++pos) fracDigits += text[pos];
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    std::string clean = intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty()) clean += "." + fracDigits;
    double value = 0.0;
    auto res =
        std::from_chars(clean.data(), clean.data() + clean.size(), value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        // Only a non-zero whole part can be too large; anything else is too small to show.
        stripLeadingZeros(intDigits);
        value = intDigits.empty() ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace talvex
