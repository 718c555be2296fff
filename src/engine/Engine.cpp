#include "engine/Engine.h"

#include <algorithm>

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
    references_.clear();
    regs_ = Registers{};
    entry_ = EntryState{};
    lastRow_ = curRow_ = 1;
    hiddenRows_ = 0;
    writeLineNumber(1);
    table_.setCell(1, kRegisterColumn, makeRegisterRecord(regs_, format_));
    modified_ = false;
    view_.rowCountChanged(lastRow_);
    view_.rowsChanged(1, 0);
    view_.currentRowChanged(curRow_);
    setLCDColor();
    updateLCD();
}

// The widths, in characters, of the default template's columns.
void Engine::setDefaultColumnWidths() {
    columnWidths_.assign(static_cast<size_t>(kDefaultColCount) + 1, 0);
    setColumnWidth(kLineNumberColumn, 3);
    setColumnWidth(roles_.itemCount, 5);
    setColumnWidth(roles_.type13, 8);
    setColumnWidth(roles_.description, 20);
    setColumnWidth(roles_.amount, 14);
    setColumnWidth(roles_.op, 3);
    setColumnWidth(roles_.reference, 3);
}

void Engine::beginLoad() {
    table_.clear();
    references_.clear();
    entry_ = EntryState{};
    regs_ = Registers{};
    curRow_ = 0;
    lastRow_ = 1;
    hiddenRows_ = 0;
    layout_ = RecordLayout::withoutRawEntry;
    loading_ = true;
}

// Records of files before version 2 have no raw-entry field. They get one at once: the amount
// the line shows, which is what such a line is keyed again from. The tape then holds one layout,
// so a line re-keyed later (which writes the current layout) never sits among records read the
// other way, and a save (always the current version) writes every record as it reads back.
void Engine::adoptCurrentLayout() {
    if (layout_ == RecordLayout::withRawEntry) return;
    for (int row = 1; row <= lastRow_; ++row) {
        const std::string& record = cell(row, kRegisterColumn);
        if (!isRegisterRecord(record)) continue;
        const std::string& code = opAt(row);
        const bool keyed = !code.empty() && !isComputedLine(code);
        table_.setCell(row, kRegisterColumn,
                       (keyed ? cell(row, roles_.amount) : std::string()) + ':' + record);
    }
    layout_ = RecordLayout::withRawEntry;
}

void Engine::finishLoad(int rows) {
    lastRow_ = std::max(rows, 1);
    curRow_ = lastRow_;
    if (rows < 1) {
        writeLineNumber(1);
        table_.setCell(1, kRegisterColumn, makeRegisterRecord(Registers{}, format_));
    }
    adoptCurrentLayout();
    // A long file is kept whole: the capacity limits only new lines.
    maxRows_ = std::max(maxRows_, lastRow_);
    // The file keeps each slot's shown value and link count; the value a using line receives
    // and the description come from the source lines themselves.
    for (int row = 1; row < lastRow_; ++row) {
        const std::string& code = opAt(row);
        if (cell(row, roles_.reference).empty() || usesReference(code)) continue;
        keepSourceCurrent(row, isGroupLine(code));
    }
    loading_ = false;
    modified_ = false;
    view_.rowCountChanged(lastRow_);
    view_.rowsChanged(1, 0);
}

void Engine::setColumns(const ColumnRoles& roles, int colCount) {
    roles_ = roles;
    colCount_ = colCount;
    view_.rowsChanged(1, 0);
}

void Engine::setMaxRows(int rows) {
    maxRows_ = rows;
}

void Engine::setTapeOn(bool on) {
    tapeOn_ = on;
    if (on) editMode_ = true;
    setLCDColor();
}

void Engine::setCalcOption(int index, int value) {
    if (!format_.setOption(index, value)) return;
    if (!loading_) settingsChanged_ = true;
    view_.rowsChanged(1, 0);
}

void Engine::keyChar(char c) {
    const auto mapped = mapKeyboardChar(c, format_.decSep());
    if (!mapped) return;
    if (mapped->groupMode) entry_.groupMode = *mapped->groupMode;
    keyFront(mapped->code);
}

void Engine::pressEnter() {
    if (entry_.refPickRow > 0) return;
    const int above = curRow_ - 1;
    const bool afterTotal = above < 1 || (isBlankLine(above) && isTotalLine(opAt(above - 1)));
    const auto c = enterKeyChar(!entry_.entryText.empty(), opAt(above), afterTotal);
    if (c) keyChar(*c);
}

void Engine::pressBackspace() {
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
    if (code == key::kDivide && entry_.fractionState == 1) code = key::kFractionBar;
    if (key::isOperatorKey(code)) backspaceState_ = false;
    if (code == key::kClearEntry && picking()) {
        cancelReferencePick();
        updateLCD();
        return true;
    }
    if (refusesReference(code)) return true;
    const auto process = [this, code] {
        if (curRow_ > lastRow_ || !(editMode_ && tapeOn_))
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
    if (picking() && curRow_ != entry_.refPickRow && key::isOperatorKey(code)) {
        const std::string entry = entry_.entryText;
        selectRow(entry_.refPickRow);
        entry_.entryText = entry;
        entry_.entryStarted = true;
        entry_.refPickRow = 0;
    }
    if (isLockedLine(curRow_) && code != key::kClearEntry) {
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
    const bool openRow = curRow_ >= lastRow_;
    if (code == key::kClear && baseCode(opAt(curRow_ - 1)) == op::kClear) {
        statusError(std::string(kDuplicateClear));
        // On the open row the figures keyed so far are still cleared.
        if (openRow) clearEntry();
        return;
    }
    // A computed line never replaces an entry.
    if (!openRow && key::writesComputedLine(code) && !isBlankLine(curRow_) &&
        !insertEmptyRow(curRow_))
        return;
    if (!prepareEditedEntry(openRow)) return;
    keyProcess(code);
    if (curRow_ >= lastRow_) {
        view_.rowsChanged(1, 0);
        selectRow(curRow_);
        entry_.entryText.clear();
    } else {
        recalculate(curRow_);
    }
}

// The entry that re-keys the current line, with the registers of the line above: what the user
// typed over it, or else the line's own entry. An emptied amount means 0; only a line without
// any entry (the open row, an inserted line) repeats the line above. A line that used a
// reference, or whose entry came from the display or the line above, takes it again unless a
// new figure was typed over it.
bool Engine::prepareEditedEntry(bool openRow) {
    const int row = curRow_;
    const bool emptyLine = openRow || isBlankLine(row);
    // On a line without an entry, as on the open row, the entry is what was keyed there.
    const bool typed = emptyLine || entry_.entryStarted;
    std::string amount;
    bool operatorLast = false;
    bool takeAgain = false;
    if (typed) {
        amount = entry_.entryText;
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
    entry_.entryText = amount;
    regs_.lineRef = keepsReference ? cell(row, roles_.reference) : std::string();
    entry_.operatorLast = operatorLast;
    entry_.takeAgain = takeAgain;
    return true;
}

void Engine::loadRegistersAbove(int row) {
    if (row <= 1) {
        // Above the first line stands a fresh calculator, whatever the display showed last.
        resetRegs();
        regs_.displayValue = "0";
        regs_.rawEntry.clear();
    } else if (baseCode(opAt(row)) == op::kDefinition) {
        resetSRegs();
    } else {
        getRegs(row - 1);
    }
}

void Engine::keyProcess(int code) {
    if (code < key::kPercent && addins_.takesNumberEntry()) {
        addins_.dispatch(0, code);
        return;
    }
    if (isPanelKey(code)) {
        const bool device = code < key::kFirstCalcPanelKey;
        addins_.dispatch(device ? 0 : 1,
                         code - (device ? key::kFirstDevicePanelKey : key::kFirstCalcPanelKey));
        return;
    }
    lastKey_ = code;
    if (!entry_.entryOp.empty() && (code < key::kRef || code == key::kFractionBlank)) clearEntry();
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
        if (code != key::kRef || !entry_.entryText.empty()) regs_.displayValue = entry_.entryText;
        entry_.operatorLast = false;
    } else {
        entry_.operatorLast = true;
    }
    entry_.takeAgain = false;
    if (code != key::kRef) entry_.refPickRow = 0;
    regs_.lineRef.clear();
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
