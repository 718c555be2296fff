// The display bar and the colours of tape cells.
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/OptionNumbers.h"

namespace talvex {

namespace {

constexpr int kNormalStyle = -1;

bool isNumberText(const std::string& text) {
    return !text.empty() && text.back() >= '0' && text.back() <= '9';
}

}  // namespace

// Whole numbers show a trailing separator, as on a real adding machine; a fraction being keyed
// and a reference number ("R12") are shown as they are.
std::string Engine::lcdText() const {
    const std::string& value = state_.regs.displayValue;
    const bool plainNumber = value.find(format_.decSep()) == std::string::npos &&
                             value.find(' ') == std::string::npos && !value.starts_with('R');
    return plainNumber && isNumberText(value) ? value + format_.decSep() : value;
}

void Engine::updateLCD() {
    view_.showDisplay(lcdText());
}

void Engine::setLCDColor() {
    view_.setDisplayColour(state_.tapeOn ? colour::kLcdTapeOn : colour::kLcdTapeOff);
}

void Engine::refreshDisplay() {
    setLCDColor();
    updateLCD();
}

int Engine::cellColour(int row, int col) const {
    if (state_.entry.refPickRow > 0 && row == state_.entry.refPickRow) return kNormalStyle;
    const std::string_view code = opAt(row);
    if (usesReference(code)) {
        const bool calculatorCell = col == layout_.roles.amount || col == layout_.roles.op ||
                                    col == layout_.roles.reference;
        return calculatorCell ? colour::kReferences : kNormalStyle;
    }
    const std::string_view base = baseCode(code);
    if (base == op::kClear) return colour::kClearLines;
    if (base == op::kSubtotal || base == op::kGroup || base == op::kGroupSigned ||
        base == op::kPlusItems || base == op::kMinusItems)
        return colour::kSubtotalLines;
    if (base == op::kGroupsTotal || base == op::kTotal || base == op::kStarTotal ||
        base == op::kGrandTotal)
        return colour::kTotalLines;
    if (base == op::kStar) return colour::kStarLines;
    if (!base.empty()) {
        const int addinColour = addins_.resultColour(base);
        if (addinColour >= 0) return addinColour;
    }
    return kNormalStyle;
}

}  // namespace talvex
