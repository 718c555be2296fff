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

// The significant digits of a number and the power of ten of the first one.
struct Digits {
    std::array<char, 24> digits;
    size_t count = 0;
    int exponent = 0;
};

// The digits and exponent of a scientific text of to_chars ("1.2345e+04").
Digits splitScientific(const char* first, const char* last) {
    Digits out;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9' && out.count < out.digits.size()) out.digits[out.count++] = *p;
    if (p != last && ++p != last) {
        if (*p == '+') ++p;
        std::from_chars(p, last, out.exponent);
    }
    return out;
}

// Rounds 16 or 17 digits to 15, half up; a carry out of the first digit moves the exponent.
void roundTo15(Digits& d) {
    const bool up = d.digits[kSignificantDigits] >= '5';
    d.count = kSignificantDigits;
    if (!up) return;
    for (size_t i = d.count; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits[0] = '1';
    ++d.exponent;
}

// The 15 significant digits of |v| and the power of ten of the first one, from the shortest
// text that reads back as v, which is much quicker to find than a rounding of v's exact value.
// That text lies closer to v than any other text of as many digits, so no rounding boundary of
// the 15th digit lies between the two: rounding it is rounding v. Only when it is a boundary
// itself (16 digits ending in 5) does the side v lies on have to come from v.
Digits significantDigits(double v) {
    std::array<char, 64> buf;
    const double magnitude = std::fabs(v);
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                             std::chars_format::scientific);
    Digits shortest = splitScientific(buf.data(), res.ptr);
    const size_t kept = kSignificantDigits;
    if (shortest.count <= kept) return shortest;
    if (shortest.count > kept + 1 || shortest.digits[kept] != '5') {
        roundTo15(shortest);
        return shortest;
    }
    res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                        std::chars_format::scientific, kSignificantDigits - 1);
    return splitScientific(buf.data(), res.ptr);
}

Decimal toDecimal15(double v) {
    const Digits sig = significantDigits(v);
    const std::string_view digits(sig.digits.data(), sig.count);
    // The first digit sits in front of the point, so exponent + 1 digits are whole.
    const long whole = sig.exponent + 1;
    const long count = static_cast<long>(digits.size());
    Decimal d;
    d.negative = std::signbit(v);
    if (whole <= 0) {
        d.fracDigits.assign(static_cast<size_t>(-whole), '0');
        d.fracDigits += digits;
    } else if (whole >= count) {
        d.intDigits.reserve(static_cast<size_t>(whole));
        d.intDigits = digits;
        d.intDigits.append(static_cast<size_t>(whole - count), '0');
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
    size_t zeros = 0;
    while (zeros < digits.size() && digits[zeros] == '0') ++zeros;
    if (zeros > 0) digits.erase(0, zeros);
}

void stripTrailingZeros(std::string& digits, size_t keep) {
    size_t end = digits.size();
    while (end > keep && digits[end - 1] == '0') --end;
    digits.resize(end);
}

bool hasNonZeroDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
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
    if (symbols_.decSep != '.') std::replace(text.begin(), text.end(), '.', symbols_.decSep);
    if (text == "-0") text = "0";
    return text;
}

double NumberFormatter::read(std::string_view text) const {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos == text.size()) return 0.0;
    const auto isDigit = [&](size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };

    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';

    // The digits are gathered without the separators, as from_chars wants them; a usual
    // amount fits the buffer on the stack.
    std::string clean;
    std::array<char, 64> buffer;
    size_t used = 0;
    const auto put = [&](char c) {
        if (used < buffer.size()) {
            buffer[used++] = c;
            return;
        }
        if (clean.empty()) clean.assign(buffer.data(), used);
        clean += c;
    };
    size_t intDigits = 0;
    size_t firstNonZero = std::string_view::npos;
    for (; pos < text.size(); ++pos) {
        if (isDigit(pos)) {
            if (text[pos] != '0' && firstNonZero == std::string_view::npos)
                firstNonZero = intDigits;
            put(text[pos]);
            ++intDigits;
        } else if (text[pos] != symbols_.thousandsSep || intDigits == 0 || !isDigit(pos + 1)) {
            break;
        }
    }
    size_t fracDigits = 0;
    if (pos < text.size() && text[pos] == symbols_.decSep) {
        for (++pos; isDigit(pos); ++pos) {
            if (fracDigits == 0) {
                if (intDigits == 0) put('0');
                put('.');
            }
            put(text[pos]);
            ++fracDigits;
        }
    }
    if (intDigits == 0 && fracDigits == 0) return 0.0;

    const char* first = clean.empty() ? buffer.data() : clean.data();
    const char* last = clean.empty() ? buffer.data() + used : clean.data() + clean.size();
    double value = 0.0;
    auto res = std::from_chars(first, last, value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        // Only a non-zero whole part can be too large; anything else is too small to show.
        value =
            firstNonZero == std::string_view::npos ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace talvex
