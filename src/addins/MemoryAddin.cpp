#include "addins/MemoryAddin.h"

#include <array>
#include <charconv>

#include "addins/AddinFramework.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

// Negative zero is written "0", as the register record writes it.
std::string exactText(double v) {
    if (v == 0.0) v = 0.0;
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return error == std::errc() ? std::string(buffer.data(), end) : "0";
}

double readExact(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::string_view labelOf(char letter) {
    switch (letter) {
        case MemoryAddin::kAdd:
            return "Memory +";
        case MemoryAddin::kSubtract:
            return "Memory -";
        case MemoryAddin::kSubtotal:
            return "Memory Subtotal";
        case MemoryAddin::kTotal:
            return "Memory Total";
        default:
            return {};
    }
}

}  // namespace

void MemoryAddin::entry(int code) {
    framework_.setCalcKind(kKind);
    switch (code) {
        case addin_code::kActivate: {
            framework_.buildPanel(1, kMemoryMenu);
            const std::string recalls{kSubtotal, kTotal};
            framework_.setLetters({std::string{kAdd, kSubtract}, recalls, recalls});
            break;
        }
        case addin_event::kAutoText:
            autoText();
            break;
        case addin_code::kAddinKey:
            if (!framework_.letter().empty()) memoryKey(framework_.letter().front());
            break;
        default:
            break;
    }
}

void MemoryAddin::memoryKey(char letter) {
    memory_ = registerAbove();
    if (letter == kAdd || letter == kSubtract) {
        addDisplay(letter);
        return;
    }
    if (letter != kSubtotal && letter != kTotal) return;
    const double recalled = memory_;
    if (letter == kTotal) memory_ = 0;
    writing_ = true;
    engine_.writeAddinLine(std::string(1, letter), recalled);
    writing_ = false;
}

// A figure keyed (or a reference) is the amount; with nothing keyed the display is, and the
// line then takes the display again when it is replayed.
void MemoryAddin::addDisplay(char letter) {
    const EngineState& state = engine_.state();
    const bool fromReference = state.entry.operatorLast && !state.regs.lineRef.empty();
    const bool keyed =
        fromReference || (!state.entry.operatorLast && !state.entry.entryText.empty());
    const std::string code(1, letter);
    const double sign = letter == kAdd ? 1.0 : -1.0;
    writing_ = true;
    if (keyed) {
        const double amount = engine_.format().read(engine_.addinEntry());
        memory_ += sign * amount;
        engine_.writeAddinLine(code, amount);
    } else {
        const double amount = engine_.format().read(state.regs.displayValue);
        memory_ += sign * amount;
        engine_.writeAddinTaken(code, amount);
    }
    writing_ = false;
}

double MemoryAddin::registerAbove() const {
    const std::vector<std::string> fields = framework_.fieldsAt(engine_.state().curRow - 1, kKind);
    return fields.empty() ? 0 : readExact(fields.front());
}

// The memory's own lines always carry it, so that a replay knows whose they are; other lines
// carry it only while it holds something, and a tape that never used it keeps its records.
std::string MemoryAddin::lineFields() {
    const double value = writing_ ? memory_ : registerAbove();
    if (!writing_ && value == 0) return {};
    return ":" + std::to_string(kKind) + ":" + exactText(value);
}

void MemoryAddin::restoreFields(const std::vector<std::string_view>& fields) {
    memory_ = fields.empty() ? 0 : readExact(fields.front());
}

void MemoryAddin::autoText() {
    const TapeSettings& settings = engine_.settings();
    if (!settings.autoSubtotalText || !settings.autoAddFuncText) return;
    const std::string_view code = baseCode(engine_.state().entry.entryOp);
    if (code.size() != 1) return;
    const std::string_view label = labelOf(code.front());
    if (!label.empty()) engine_.labelLine(label);
}

}  // namespace talvex
