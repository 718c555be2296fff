// References between lines: picking with the Ref key, making and removing sources, recalling a
// slot's value, and keeping slots and link counts current as lines are written.
#include <cctype>

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

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool Engine::picking() const {
    return entry_.refPickRow > 0;
}

bool Engine::refusesReference(int code) {
    if (!key::writesComputedLine(code) || !entry_.entryText.starts_with('R')) return false;
    statusError(std::string(kTotalsCannotReference));
    return true;
}

void Engine::keyRef() {
    if (!picking()) {
        startReferencePick();
        return;
    }
    if (curRow_ != entry_.refPickRow) {
        pickReferenceAt(curRow_);
        return;
    }
    // Ref again on the same row: make, remove or unlink this line's reference.
    const int row = curRow_;
    const std::string& code = opAt(row);
    const bool openRow = row >= lastRow_;
    if (!openRow && (code.empty() || baseCode(code) == op::kClear)) {
        statusError(std::string(kCannotMake));
    } else if (usesReference(code)) {
        removeLink();
    } else if (!cell(row, roles_.reference).empty()) {
        removeSource();
    } else if (!cell(row, roles_.amount).empty()) {
        makeSource();
    }
    entry_.entryText.clear();
    entry_.entryStarted = false;
    entry_.refPickRow = 0;
    getRegs(row);
}

void Engine::startReferencePick() {
    entry_.refPickRow = curRow_;
    clearEntry();
    entry_.entryStarted = true;
    entry_.entryText = "R";
    std::string message(kEnterRef);
    if (!cell(curRow_, roles_.amount).empty()) {
        message += kPressRefAgain;
        message += cell(curRow_, roles_.reference).empty() ? "make" : "remove";
        message += " Reference";
    }
    status(message);
    if (ColumnRoles::present(roles_.reference)) view_.showColumn(roles_.reference);
}

// The user moved to another line and pressed Ref there: that line's reference (made now if
// it has none) becomes the entry of the line where the pick started.
void Engine::pickReferenceAt(int row) {
    const std::string& code = opAt(row);
    if (row >= lastRow_ || code.empty() || baseCode(code) == op::kClear) {
        statusError(std::string(kCannotMake));
        return;
    }
    if (cell(row, roles_.reference).empty()) makeSource();
    const std::string ref = cell(row, roles_.reference);
    if (ref.empty()) return;
    const int back = entry_.refPickRow;
    selectRow(back);
    entry_.entryText = "R" + ref;
    entry_.entryStarted = true;
    status(std::string(kReturning) + entry_.entryText);
    entry_.refPickRow = 0;
    statusError(std::string(kUseSelected));
}

void Engine::cancelReferencePick() {
    status(std::string(kCancelling));
    const int back = entry_.refPickRow;
    selectRow(back);
    entry_.refPickRow = 0;
    clearEntry();
}

// "R" + number: the slot's raw value, or a user-defined symbol's value for a name.
std::string Engine::recallReference(const std::string& text) {
    const std::string name = text.substr(1);
    const bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    if (numeric) {
        const int n = slotNumber(name);
        if (references_.isLive(n)) {
            entry_.operatorLast = true;
            regs_.lineRef = std::to_string(n);
            return referenceValue(regs_.lineRef);
        }
    } else if (!name.empty()) {
        if (const auto value = addins_.symbolValue(name)) {
            entry_.operatorLast = true;
            regs_.lineRef = name;
            return *value;
        }
    }
    // A mistyped reference writes nothing: the line and the totals below stay as they were.
    refuse(kInvalidReference);
    return "0";
}

std::string Engine::referenceValue(const std::string& ref) {
    const int n = slotNumber(ref);
    if (n == 0) return addins_.symbolValue(ref).value_or("0");
    const std::string& raw = references_.slot(n).raw;
    return raw.empty() ? "0" : raw;
}

// A line cannot use its own reference, and a source that other lines use cannot become a user
// of another slot; a source without users gives its slot up first.
bool Engine::refusesOwnReference(const std::string& amount) {
    const int row = curRow_;
    const int own = usesReference(opAt(row)) ? 0 : slotNumber(cell(row, roles_.reference));
    if (own == 0) return false;
    if (slotNumber(std::string_view(amount).substr(1)) == own) {
        refuse(kCannotUseItself);
        return true;
    }
    if (references_.linkCount(own) >= 1) {
        refuse(kHasLinks);
        return true;
    }
    return !removeSource();
}

void Engine::makeSource() {
    const int row = curRow_;
    const int n = references_.freeSlot();
    if (n == 0) {
        statusError(std::string(kNoMoreReferences));
        return;
    }
    references_.setLinkCount(n, 0);
    table_.setCell(row, roles_.reference, std::to_string(n));
    ReferenceRegistry::Slot& slot = references_.slot(n);
    slot.shown = cell(row, roles_.amount);
    slot.raw = lineValue(row);
    slot.description = sourceDescription(row);
    view_.referenceSlotChanged(n, slot.shown);
    view_.rowsChanged(row, row);
    modified_ = true;
    widenReferenceColumn(n);
}

// A "TOTAL" or "Subtotal" line takes the title of the clear line that opened its block.
std::string Engine::sourceDescription(int row) const {
    const std::string& own = cell(row, roles_.description);
    if (!equalsIgnoringCase(own, "TOTAL") && !equalsIgnoringCase(own, "SubTotal")) return own;
    for (int above = row - 1; above >= 1; --above) {
        const std::string_view code = baseCode(opAt(above));
        if (code != op::kClear && code != op::kTotal && code != op::kGrandTotal) continue;
        const std::string& title = cell(above, roles_.description);
        return code == op::kClear && !title.empty() ? title : own;
    }
    return own;
}

bool Engine::removeSource() {
    const int row = curRow_;
    const int n = slotNumber(cell(row, roles_.reference));
    if (references_.linkCount(n) >= 1) {
        statusError(std::string(kHasLinks));
        return false;
    }
    table_.setCell(row, roles_.reference, {});
    if (n > 0) {
        references_.slot(n).shown.clear();
        references_.setLinkCount(n, ReferenceRegistry::kFree);
        view_.referenceSlotChanged(n, {});
    }
    view_.rowsChanged(row, row);
    modified_ = true;
    return true;
}

// The line keeps the value it had and stops following the source: without its reference
// the operator loses the blank that marks a using line, so recalculation replays its value.
void Engine::removeLink() {
    const int row = curRow_;
    references_.setLinkCount(slotNumber(cell(row, roles_.reference)), -1);
    table_.setCell(row, roles_.reference, {});
    table_.setCell(row, roles_.op, std::string(baseCode(opAt(row))));
    view_.rowsChanged(row, row);
    modified_ = true;
}

void Engine::maintainLinks(const std::string& oldCode, const std::string& oldRef) {
    const int before = usesReference(oldCode) ? slotNumber(oldRef) : 0;
    const int now = usesReference(entry_.entryOp) ? slotNumber(regs_.lineRef) : 0;
    if (before == now) return;
    if (before > 0) references_.setLinkCount(before, -1);
    if (now > 0) references_.setLinkCount(now, 1);
}

// A source line that is written again carries its new value into its slot; a using line
// without a description takes the slot's description when AutoTitle is on.
void Engine::keepSourceCurrent(int row, bool groupLine) {
    const int n = slotNumber(cell(row, roles_.reference));
    if (n == 0 || !references_.exists(n)) return;
    const std::string& code = opAt(row);
    ReferenceRegistry::Slot& slot = references_.slot(n);
    if (code.size() <= 1 || groupLine) {
        slot.shown = cell(row, roles_.amount);
        slot.raw = lineValue(row);
        if (code.size() <= 1) slot.description = cell(row, roles_.description);
        view_.referenceSlotChanged(n, slot.shown);
        return;
    }
    if (settings_.autoTitle && cell(row, roles_.description).empty() &&
        ColumnRoles::present(roles_.description))
        table_.setCell(row, roles_.description, slot.description);
}

void Engine::widenReferenceColumn(int slot) {
    const int needed = slot > 99 ? 3 : slot > 9 ? 2 : 1;
    if (columnWidth(roles_.reference) >= needed) return;
    setColumnWidth(roles_.reference, needed);
    modified_ = true;
    view_.columnLayoutChanged();
}

}  // namespace talvex
