#include "engine/Engine.h"

#include <algorithm>
#include <cctype>

#include "engine/KeyCodes.h"
#include "engine/KeyMap.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kCannotEdit = "Cannot Edit this Entry";
constexpr std::string_view kDuplicateClear = "Duplicate Clear";

bool isPanelKey(int code) {
    return code >= key::kFirstDevicePanelKey && code <= key::kLastPanelKey;
}

// Clears a flag when the scope ends, however the key handling leaves it.
class FlagGuard {
  public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

  private:
    bool& flag_;
};

}  // namespace

Engine::Engine(ViewPort& view, AddinPort& addins, NumberSymbols symbols)
    : view_(view), addins_(addins), format_(symbols) {
    setDefaultColumnWidths();
    newTape();
}

void Engine::newTape() {
    table_.clear();
    references_.registry().clear();
    state_.regs = Registers{};
    state_.entry = EntryState{};
    state_.lastRow = state_.curRow = 1;
    layout_.hiddenRows = 0;
    writeLineNumber(1);
    table_.setCell(1, kRegisterColumn, makeRegisterRecord(state_.regs, format_));
    state_.modified = false;
    forgetHistory();
    view_.rowCountChanged(state_.lastRow);
    view_.rowsChanged(1, 0);
    view_.currentRowChanged(state_.curRow);
    setLCDColor();
    updateLCD();
}

void Engine::setTapeOn(bool on) {
    state_.tapeOn = on;
    if (on) editMode_ = true;
    setLCDColor();
}

void Engine::setCalcOption(int index, int value) {
    if (!format_.setOption(index, value)) return;
    view_.rowsChanged(1, 0);
}

void Engine::keyChar(char c) {
    ChangeGroup group(*this);
    const auto mapped = mapKeyboardChar(c, format_.decSep());
    if (!mapped) {
        // A letter of the active add-in is its key, as if its panel button had been pressed.
        const std::string_view letter(&c, 1);
        if (addins_.isAddinLetter(letter)) keyAddin(letter);
        return;
    }
    if (mapped->groupMode) state_.entry.groupMode = *mapped->groupMode;
    keyFront(mapped->code);
}

void Engine::pressEnter() {
    ChangeGroup group(*this);
    if (state_.entry.refPickRow > 0) return;
    // An add-in line keeps its own letter: Enter ends its edit as moving away does.
    if (state_.curRow < state_.lastRow && addins_.isAddinLetter(baseCode(opAt(state_.curRow)))) {
        if (amountEditPending_) finishPendingEdit();
        return;
    }
    const int above = state_.curRow - 1;
    const bool afterTotal = above < 1 || (isBlankLine(above) && isTotalLine(opAt(above - 1)));
    const auto c = enterKeyChar(!state_.entry.entryText.empty(), opAt(above), afterTotal);
    if (c) keyChar(*c);
}

void Engine::pressBackspace() {
    ChangeGroup group(*this);
    backspaceState_ = true;
    keyFront(key::kClearEntry);
}

bool Engine::keyFront(int code) {
    if (code == key::kCounts) {
        keyProcess(code);
        return true;
    }
    if (code == key::kReserved || busy_) return false;
    FlagGuard busy(busy_);
    if (code == key::kDivide && state_.entry.fractionState == 1) code = key::kFractionBar;
    if (key::isOperatorKey(code)) backspaceState_ = false;
    if (code == key::kClearEntry && picking()) {
        cancelReferencePick();
        updateLCD();
        return true;
    }
    if (refusesReference(code)) return true;
    const auto process = [this, code] {
        if (state_.curRow > state_.lastRow || !(editMode_ && state_.tapeOn))
            keyProcess(code);
        else
            keyOnTapeLine(code);
    };
    // Digits and the other entry keys write nothing and are never refused.
    if (!key::writesLines(code)) {
        process();
        return true;
    }
    return atomically(process);
}

void Engine::keyOnTapeLine(int code) {
    if (code == key::kRef) {
        keyProcess(code);
        return;
    }
    // An operator while another line is shown during a pick uses that line's reference.
    if (picking() && state_.curRow != state_.entry.refPickRow && key::isOperatorKey(code)) {
        const std::string entry = state_.entry.entryText;
        selectRow(state_.entry.refPickRow);
        state_.entry.entryText = entry;
        state_.entry.entryStarted = true;
        state_.entry.refPickRow = 0;
    }
    if (isLockedLine(state_.curRow) && code != key::kClearEntry) {
        if (isPanelKey(code))
            keyProcess(code);
        else
            statusError(std::string(kCannotEdit));
        return;
    }
    if (key::isOperatorKey(code))
        endEdit(code);
    else
        keyProcess(code);
}

bool Engine::isLockedLine(int row) const {
    if (isComputedLine(opAt(row))) return true;
    return row > 1 && hasTrailer(opAt(row - 1), settings_.starLine, settings_.resultLine, addins_);
}

// An operator ends the edit of the current line: the line is re-keyed from the registers of
// the line above, and the rest of the tape is recalculated. On the open row the edited amount
// is the entry being keyed.
void Engine::endEdit(int code) {
    amountEditPending_ = false;
    const bool openRow = state_.curRow >= state_.lastRow;
    if (code == key::kClear && baseCode(opAt(state_.curRow - 1)) == op::kClear) {
        statusError(std::string(kDuplicateClear));
        // On the open row the figures keyed so far are still cleared.
        if (openRow) clearEntry();
        return;
    }
    // A computed line never replaces an entry.
    if (!openRow && key::writesComputedLine(code) && !isBlankLine(state_.curRow) &&
        !insertEmptyRow(state_.curRow))
        return;
    if (!openRow && code == key::kAddinFunction && replacesOtherAddinLine() &&
        !insertEmptyRow(state_.curRow))
        return;
    if (!prepareEditedEntry(openRow)) return;
    const int keyedRow = state_.curRow;
    keyProcess(code);
    if (state_.curRow >= state_.lastRow) {
        // A key writes its line and the lines it adds below, never a line above.
        view_.rowsChanged(keyedRow, state_.lastRow);
        selectRow(state_.curRow);
        state_.entry.entryText.clear();
    } else {
        recalculate(state_.curRow);
    }
}

// An add-in key on a line of another add-in operation writes a new line before it.
bool Engine::replacesOtherAddinLine() const {
    const std::string_view code = baseCode(opAt(state_.curRow));
    if (isBlankLine(state_.curRow) || !addins_.isAddinLetter(code)) return false;
    const std::string_view letter = baseCode(state_.entry.entryOp);
    if (code.size() != letter.size()) return true;
    for (size_t i = 0; i < code.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(code[i])) !=
            std::tolower(static_cast<unsigned char>(letter[i])))
            return true;
    return false;
}

// The entry that re-keys the current line, with the registers of the line above: what the user
// typed over it, or else the line's own entry. An emptied amount means 0; only a line without
// any entry (the open row, an inserted line) repeats the line above. A line that used a
// reference, or whose entry came from the display or the line above, takes it again unless a
// new figure was typed over it.
bool Engine::prepareEditedEntry(bool openRow) {
    const int row = state_.curRow;
    const bool emptyLine = openRow || isBlankLine(row);
    // On a line without an entry, as on the open row, the entry is what was keyed there.
    const bool typed = emptyLine || state_.entry.entryStarted;
    std::string amount;
    bool operatorLast = false;
    bool takeAgain = false;
    if (typed) {
        amount = state_.entry.entryText;
        if (amount.empty() && !emptyLine) amount = "0";
        operatorLast = amount.empty();
    } else if (emptyLine) {
        operatorLast = true;
    } else {
        amount = replayedEntry(row);
        operatorLast = usesReference(opAt(row));
        takeAgain = entryNotKeyed(row);
    }
    if (!openRow && amount.starts_with('R') && refusesOwnReference(amount)) return false;
    // A source keeps its slot when retyped; a line that used a reference takes the new figure.
    const bool keepsReference = !openRow && (!typed || !usesReference(opAt(row)));
    loadRegistersAbove(row);
    state_.entry.entryText = amount;
    state_.regs.lineRef = keepsReference ? cell(row, layout_.roles.reference) : std::string();
    state_.entry.operatorLast = operatorLast;
    state_.entry.takeAgain = takeAgain;
    return true;
}

void Engine::loadRegistersAbove(int row) {
    if (row <= 1) {
        // Above the first line stands a fresh calculator, whatever the display showed last.
        resetRegs();
        state_.regs.displayValue = "0";
        state_.regs.rawEntry.clear();
    } else if (baseCode(opAt(row)) == op::kDefinition) {
        resetSRegs();
    } else {
        getRegs(row - 1);
    }
}

void Engine::keyProcess(int code) {
    if (code < key::kPercent && addins_.takesNumberEntry()) {
        addins_.numberEntryKey(code);
        return;
    }
    if (isPanelKey(code)) {
        const bool device = code < key::kFirstCalcPanelKey;
        addins_.dispatch(device ? 0 : 1,
                         code - (device ? key::kFirstDevicePanelKey : key::kFirstCalcPanelKey));
        return;
    }
    if (!state_.entry.entryOp.empty() && (code < key::kRef || code == key::kFractionBlank))
        clearEntry();
    if (code <= key::kDigit9)
        keyDigit(code);
    else
        dispatchKey(code);
    finishKey(code);
}

void Engine::dispatchKey(int code) {
    switch (code) {
        case key::kDoubleZero:
            keyDoubleZero();
            break;
        case key::kDecimal:
            keyDecimal();
            break;
        case key::kFractionBlank:
            keyFractionBlank();
            break;
        case key::kFractionBar:
            keyFractionBar();
            break;
        case key::kRef:
            keyRef();
            break;
        case key::kPercent:
        case key::kEquals:
            keyEqualsPercent(code);
            break;
        case key::kClear:
            keyClear();
            break;
        case key::kClearEntry:
            keyClearEntry();
            break;
        case key::kSubtract:
        case key::kAdd:
            keyAddSubtract(code);
            break;
        case key::kSubtotal:
        case key::kTotal:
            keySubtotalTotal(code);
            break;
        case key::kMultiply:
        case key::kDivide:
            keyMultiplyDivide(code);
            break;
        case key::kCounts:
            keyCounts();
            break;
        case key::kStarTotal:
        case key::kGrandTotal:
            keyTotalsKey(code);
            break;
        case key::kBlankLine:
            keyBlankLine();
            break;
        default:
            break;
    }
}

void Engine::finishKey(int code) {
    // A CE that took back a character leaves the entry open, so the next CE takes another.
    const bool backspaced = code == key::kClearEntry && backspaceState_;
    if (key::isEntryKey(code) || backspaced) {
        // Ref on its own line ends with the registers of that line on show.
        if (code != key::kRef || !state_.entry.entryText.empty())
            state_.regs.displayValue = state_.entry.entryText;
        state_.entry.operatorLast = false;
    } else {
        state_.entry.operatorLast = true;
    }
    state_.entry.takeAgain = false;
    if (code != key::kRef) state_.entry.refPickRow = 0;
    state_.regs.lineRef.clear();
    if (!key::isOperatorKey(code)) setLCDColor();
    updateLCD();
}

void Engine::statusError(const std::string& text) {
    view_.showStatus(text, true);
}
void Engine::status(const std::string& text) {
    view_.showStatus(text, false);
}

}  // namespace talvex
