// Building the entry: digits, the decimal point, fractions, CE, and taking the entry for an
// operator (typed, repeated from the line above, or still held).
#include <cmath>
#include <limits>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

constexpr int kFractionNone = 0;
constexpr int kFractionAfterBlank = 1;
constexpr int kFractionAfterBar = 2;
// A fraction keyed without a denominator ("2 5") is read in tenths.
constexpr double kDefaultDenominator = 10.0;
// The longest entry a double can use: the integer digits of the largest double, the separator,
// and the decimal places down to the smallest one (digits below it never change the value).
constexpr size_t kLongestEntry = std::numeric_limits<double>::max_exponent10 + 1 + 1 + 324;
// Below this length no entry can exceed the largest double, so reading it back is not needed.
constexpr size_t kShortestOverflow = std::numeric_limits<double>::max_exponent10 + 1;

}  // namespace

// An entry stops growing where a double could no longer hold it: the digit is refused with
// "Overflow". The bound also keeps keying linear, since the display copies the entry per key.
bool Engine::entryCanGrow(std::string_view digits) {
    const std::string& text = state_.entry.entryText;
    const size_t length = text.size() + digits.size();
    if (length < kShortestOverflow) return true;
    if (length <= kLongestEntry && !text.starts_with('R') &&
        std::isfinite(format_.read(text + std::string(digits))))
        return true;
    refuse(kOverflowText);
    return false;
}

void Engine::keyDigit(int code) {
    const char digit = static_cast<char>('0' + code);
    if (state_.entry.entryStarted) {
        if (!entryCanGrow(std::string_view(&digit, 1))) return;
        state_.entry.entryText += digit;
    } else {
        state_.entry.entryText = std::string(1, digit);
    }
    // A leading zero does not start an entry.
    if (code != key::kDigit0) state_.entry.entryStarted = true;
    if (picking() && state_.entry.entryText.starts_with('R')) {
        if (!references_.registry().isLive(
                static_cast<int>(format_.read(state_.entry.entryText.substr(1)))))
            statusError(state_.entry.entryText + " is not a valid reference");
        return;
    }
    // Digits keyed on a line inside the tape overtype its amount.
    if (state_.entry.entryStarted && state_.curRow < state_.lastRow && editMode_ && state_.tapeOn)
        amountEditPending_ = true;
}

void Engine::keyDoubleZero() {
    if (entryCanGrow("00")) state_.entry.entryText += "00";
}

void Engine::keyDecimal() {
    if (state_.entry.decimalAllowed) state_.entry.entryText += format_.decSep();
    state_.entry.decimalAllowed = false;
    state_.entry.entryStarted = true;
}

void Engine::keyFractionBlank() {
    if (state_.entry.fractionState == kFractionNone) {
        if (state_.entry.entryStarted)
            state_.entry.entryText += ' ';
        else
            state_.entry.entryText = " ";
        state_.entry.entryStarted = true;
    }
    state_.entry.fractionState = kFractionAfterBlank;
}

void Engine::keyFractionBar() {
    if (state_.entry.fractionState == kFractionAfterBlank) state_.entry.entryText += '/';
    state_.entry.fractionState = kFractionAfterBar;
}

void Engine::keyClearEntry() {
    if (state_.entry.operatorLast) return;
    if (backspaceState_) {
        backspace();
        return;
    }
    clearEntry();
    amountEditPending_ = false;
}

void Engine::clearEntry() {
    state_.entry.operatorLast = false;
    state_.entry.entryText = "0";
    state_.entry.entryStarted = false;
    state_.entry.decimalAllowed = true;
    state_.entry.fractionState = kFractionNone;
    state_.entry.entryOp.clear();
    state_.regs.displayValue = "0";
}

void Engine::backspace() {
    std::string& text = state_.entry.entryText;
    if (!text.empty()) {
        if (text.back() == format_.decSep()) state_.entry.decimalAllowed = true;
        text.pop_back();
    }
    if (text.empty() || text == "0")
        clearEntry();
    else
        state_.regs.displayValue = text;
}

// The entry an operator takes when nothing new was keyed: while the tape is on, the value the
// nearest line above with an operator took ("+" twice adds the same number twice).
std::string Engine::repeatedEntry() const {
    for (int row = state_.curRow - 1; row >= 1; --row) {
        if (opAt(row).empty()) continue;
        const std::string value = lineValue(row);
        return value.empty() ? "0" : value;
    }
    return "0";
}

// The typed entry (a typed "R" number recalls a reference), or with OperatorLast the value of
// the line's reference, else for + and - the entry repeated from the tape (tape on) or still
// held, and for x / = % the value on the display.
std::string Engine::currentEntry(bool forOperand) {
    if (!state_.entry.operatorLast && !state_.entry.takeAgain) {
        if (state_.entry.entryText.starts_with('R')) return recallReference(state_.entry.entryText);
        return state_.entry.entryText;
    }
    if (state_.entry.operatorLast && !state_.regs.lineRef.empty())
        return references_.value(state_.regs.lineRef, addins_);
    if (forOperand) return state_.regs.displayValue;
    if (state_.tapeOn) return repeatedEntry();
    return state_.entry.entryText;
}

bool Engine::entryFromReference() const {
    return state_.entry.operatorLast && !state_.regs.lineRef.empty();
}

void Engine::convertFraction() {
    const std::string& text = state_.entry.entryText;
    const size_t blank = text.find(' ');
    if (blank == std::string::npos) return;
    const size_t bar = text.find('/', blank);
    const double whole = format_.read(std::string_view(text).substr(0, blank));
    const double numerator = format_.read(std::string_view(text).substr(blank + 1));
    double denominator =
        bar == std::string::npos ? 0.0 : format_.read(std::string_view(text).substr(bar + 1));
    if (denominator == 0.0) denominator = kDefaultDenominator;
    const std::string raw = state_.regs.rawEntry;
    // Floating point, not 32-bit integers: a huge numerator must not overflow.
    const double value = (denominator * whole + numerator) / denominator;
    if (!numberFits(value)) return;
    state_.entry.entryText = formatNumber(value);
    state_.regs.rawEntry = raw;
}

// Nothing is keyed when the operator repeats the line above (tape on) or takes the display.
bool Engine::entryKeyed(bool forOperand) const {
    if (state_.entry.takeAgain) return false;
    return !state_.entry.operatorLast || !state_.regs.lineRef.empty() ||
           (!forOperand && !state_.tapeOn);
}

bool Engine::getCurEntry() {
    const bool keyed = entryKeyed(false);
    const std::string entry = currentEntry(false);
    state_.entry.entryText = entry;
    state_.regs.rawEntry = keyed ? entry : std::string();
    convertFraction();
    if (entryFromReference()) state_.entry.entryOp += ' ';
    return keyed;
}

bool Engine::takeEntry() {
    const bool keyed = entryKeyed(true);
    const std::string entry = currentEntry(true);
    state_.entry.entryText = entry;
    state_.regs.rawEntry = keyed ? entry : std::string();
    // "4" and "4." are one value; the display adds the separator itself, and a line replayed
    // from its record ("4.") must keep the display text it was keyed with ("4").
    state_.regs.displayValue = entry;
    if (entry.size() > 1 && entry.back() == format_.decSep()) state_.regs.displayValue.pop_back();
    convertFraction();
    if (entryFromReference()) state_.entry.entryOp += ' ';
    return keyed;
}

// Add mode: an entry keyed without a decimal point is read in hundredths.
void Engine::applyAddMode() {
    std::string& text = state_.entry.entryText;
    const char sep = format_.decSep();
    if (format_.options().decimalMode != 0 || !state_.entry.decimalAllowed ||
        text.find(sep) != std::string::npos)
        return;
    // A figure below one keeps its leading zero ("5" becomes "0.05"), as the tape shows it.
    std::string converted;
    if (text.size() >= 2) {
        converted.append(text, 0, text.size() - 2);
        if (converted.empty()) converted = "0";
        converted += sep;
        converted.append(text, text.size() - 2, 2);
    } else if (text.size() == 1 && text != "0") {
        converted = "0";
        converted += sep;
        converted += '0';
        converted += text;
    } else {
        return;
    }
    text = std::move(converted);
}

}  // namespace talvex
