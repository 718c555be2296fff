// The Ref key and recalled references: picking a line's reference, making and removing sources
// as the keys ask, and the messages that go with them.
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kEnterRef = "Enter Ref # (or scroll to it)";
constexpr std::string_view kPressRefAgain = ", OR Press Ref again to ";
constexpr std::string_view kReturning = "Returning Reference ";
constexpr std::string_view kUseSelected =
    "Press valid operator (+,-,*,/, etc) to use selected Reference";
constexpr std::string_view kCancelling = "Cancelling Reference";
constexpr std::string_view kCannotMake = "Cannot make this entry a Reference";
constexpr std::string_view kTotalsCannotReference =
    "Clear, SubTotal or Totals cannot Reference other entries";
constexpr std::string_view kInvalidReference = "Invalid Reference";
constexpr std::string_view kHasLinks = "Cannot remove Reference Source.  Has existing Links.";
constexpr std::string_view kNoMoreReferences = "No more References available";
constexpr std::string_view kCannotUseItself = "An entry cannot Reference itself";

}  // namespace

bool Engine::picking() const {
    return state_.entry.refPickRow > 0;
}

bool Engine::refusesReference(int code) {
    if (!key::writesComputedLine(code) || !state_.entry.entryText.starts_with('R')) return false;
    statusError(std::string(kTotalsCannotReference));
    return true;
}

void Engine::keyRef() {
    if (!picking()) {
        startReferencePick();
        return;
    }
    if (state_.curRow != state_.entry.refPickRow) {
        pickReferenceAt(state_.curRow);
        return;
    }
    // Ref again on the same row: make, remove or unlink this line's reference.
    const int row = state_.curRow;
    const std::string code(opAt(row));
    const bool openRow = row >= state_.lastRow;
    if (!openRow && (code.empty() || baseCode(code) == op::kClear)) {
        statusError(std::string(kCannotMake));
    } else if (usesReference(code)) {
        removeLink(row);
    } else if (!cell(row, layout_.roles.reference).empty()) {
        removeSource(row);
    } else if (!cell(row, layout_.roles.amount).empty()) {
        makeSource(row);
    }
    state_.entry.entryText.clear();
    state_.entry.entryStarted = false;
    state_.entry.refPickRow = 0;
    getRegs(row);
}

void Engine::startReferencePick() {
    state_.entry.refPickRow = state_.curRow;
    clearEntry();
    state_.entry.entryStarted = true;
    state_.entry.entryText = "R";
    std::string message(kEnterRef);
    if (!cell(state_.curRow, layout_.roles.amount).empty()) {
        message += kPressRefAgain;
        message += cell(state_.curRow, layout_.roles.reference).empty() ? "make" : "remove";
        message += " Reference";
    }
    status(message);
    if (ColumnRoles::present(layout_.roles.reference)) view_.showColumn(layout_.roles.reference);
}

// The user moved to another line and pressed Ref there: that line's reference (made now if
// it has none) becomes the entry of the line where the pick started.
void Engine::pickReferenceAt(int row) {
    const std::string code(opAt(row));
    if (row >= state_.lastRow || code.empty() || baseCode(code) == op::kClear) {
        statusError(std::string(kCannotMake));
        return;
    }
    if (cell(row, layout_.roles.reference).empty()) makeSource(row);
    const std::string ref(cell(row, layout_.roles.reference));
    if (ref.empty()) return;
    const int back = state_.entry.refPickRow;
    selectRow(back);
    state_.entry.entryText = "R" + ref;
    state_.entry.entryStarted = true;
    status(std::string(kReturning) + state_.entry.entryText);
    state_.entry.refPickRow = 0;
    statusError(std::string(kUseSelected));
}

void Engine::cancelReferencePick() {
    status(std::string(kCancelling));
    const int back = state_.entry.refPickRow;
    selectRow(back);
    state_.entry.refPickRow = 0;
    clearEntry();
}

// "R" + number: the slot's raw value, or a user-defined symbol's value for a name.
std::string Engine::recallReference(const std::string& text) {
    const std::string name = text.substr(1);
    const bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    if (numeric) {
        const int n = slotNumber(name);
        if (references_.registry().isLive(n)) {
            state_.entry.operatorLast = true;
            state_.regs.lineRef = std::to_string(n);
            return references_.value(state_.regs.lineRef, addins_);
        }
    } else if (!name.empty()) {
        if (const auto value = addins_.symbolValue(name)) {
            state_.entry.operatorLast = true;
            state_.regs.lineRef = name;
            return *value;
        }
    }
    // A mistyped reference writes nothing: the line and the totals below stay as they were.
    refuse(kInvalidReference);
    return "0";
}

// A line cannot use its own reference, and a source that other lines use cannot become a user
// of another slot; a source without users gives its slot up first.
bool Engine::refusesOwnReference(const std::string& amount) {
    const int row = state_.curRow;
    const int own = usesReference(opAt(row)) ? 0 : slotNumber(cell(row, layout_.roles.reference));
    if (own == 0) return false;
    if (slotNumber(std::string_view(amount).substr(1)) == own) {
        refuse(kCannotUseItself);
        return true;
    }
    if (references_.registry().linkCount(own) >= 1) {
        refuse(kHasLinks);
        return true;
    }
    return !removeSource(row);
}

void Engine::makeSource(int row) {
    const int n = references_.makeSource(row, lineValue(row));
    if (n == 0) {
        statusError(std::string(kNoMoreReferences));
        return;
    }
    state_.modified = true;
    widenReferenceColumn(n);
}

bool Engine::removeSource(int row) {
    if (!references_.removeSource(row)) {
        statusError(std::string(kHasLinks));
        return false;
    }
    state_.modified = true;
    return true;
}

// The line keeps the value it had and stops following the source.
void Engine::removeLink(int row) {
    references_.removeLink(row);
    state_.modified = true;
}

// A source line written over: the slot takes the value the tape still gives it, as opening the
// tape again would, from the nearest source line above, else from the last one below; with none
// left its users take 0.
void Engine::takeSlotFromTape(int n, int row) {
    for (int above = row - 1; above >= 1; --above)
        if (references_.isSourceOf(above, n))
            return keepSourceCurrent(above, isGroupLine(opAt(above)));
    for (int below = state_.lastRow - 1; below > row; --below) {
        if (!references_.isSourceOf(below, n)) continue;
        keepSourceCurrent(below, isGroupLine(opAt(below)));
        // A replay reaches that line later and may give the slot another value.
        references_.takenAhead(n);
        return;
    }
    references_.forgetValue(n);
}

void Engine::keepSourceCurrent(int row, bool groupLine) {
    references_.keepSourceCurrent(row, groupLine, lineValue(row), settings_.autoTitle);
}

void Engine::widenReferenceColumn(int slot) {
    const int needed = slot > 99 ? 3 : slot > 9 ? 2 : 1;
    if (layout_.width(layout_.roles.reference) >= needed) return;
    setColumnWidth(layout_.roles.reference, needed);
    state_.modified = true;
    view_.columnLayoutChanged();
}

}  // namespace talvex
