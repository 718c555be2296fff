// Sources and links: the slots of the registry and the reference cells of the tape.
#include "engine/References.h"

#include <cctype>

#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

int References::makeSource(int row, std::string value) {
    const int n = registry_.freeSlot();
    if (n == 0) return 0;
    registry_.setLinkCount(n, 0);
    table_.setCell(row, roles_.reference, std::to_string(n));
    ReferenceRegistry::Slot& slot = registry_.slot(n);
    slot.shown = cell(row, roles_.amount);
    slot.raw = std::move(value);
    slot.description = sourceDescription(row);
    view_.referenceSlotChanged(n, slot.shown);
    view_.rowsChanged(row, row);
    return n;
}

// A "TOTAL" or "Subtotal" line takes the title of the clear line that opened its block.
std::string References::sourceDescription(int row) const {
    const std::string_view own = cell(row, roles_.description);
    if (!equalsIgnoringCase(own, "TOTAL") && !equalsIgnoringCase(own, "SubTotal"))
        return std::string(own);
    for (int above = row - 1; above >= 1; --above) {
        const std::string_view code = baseCode(cell(above, roles_.op));
        if (code != op::kClear && code != op::kTotal && code != op::kGrandTotal) continue;
        const std::string_view title = cell(above, roles_.description);
        return std::string(code == op::kClear && !title.empty() ? title : own);
    }
    return std::string(own);
}

bool References::removeSource(int row) {
    const int n = slotNumber(cell(row, roles_.reference));
    if (registry_.linkCount(n) >= 1) return false;
    table_.setCell(row, roles_.reference, {});
    if (n > 0) {
        registry_.slot(n).shown.clear();
        registry_.setLinkCount(n, ReferenceRegistry::kFree);
        view_.referenceSlotChanged(n, {});
    }
    view_.rowsChanged(row, row);
    return true;
}

// Without its reference the operator loses the blank that marks a using line, so
// recalculation replays the line's value.
void References::removeLink(int row) {
    registry_.setLinkCount(slotNumber(cell(row, roles_.reference)), -1);
    table_.setCell(row, roles_.reference, {});
    table_.setCell(row, roles_.op, std::string(baseCode(cell(row, roles_.op))));
    view_.rowsChanged(row, row);
}

void References::moveLink(std::string_view oldCode, const std::string& oldRef,
                          std::string_view newCode, const std::string& newRef) {
    const int before = usesReference(oldCode) ? slotNumber(oldRef) : 0;
    const int now = usesReference(newCode) ? slotNumber(newRef) : 0;
    if (before == now) return;
    if (before > 0) registry_.setLinkCount(before, -1);
    if (now > 0) registry_.setLinkCount(now, 1);
}

int References::sourceOverwritten(std::string_view oldCode, const std::string& oldRef,
                                  std::string_view newCode, const std::string& newRef) const {
    const int n = slotNumber(oldRef);
    if (n == 0 || oldCode.empty() || usesReference(oldCode) || !registry_.exists(n)) return 0;
    if (newRef == oldRef && !newCode.empty() && !usesReference(newCode)) return 0;
    return n;
}

void References::forgetValue(int n) {
    if (registry_.exists(n)) registry_.slot(n).raw.clear();
}

bool References::isSourceOf(int row, int n) const {
    const std::string_view code = cell(row, roles_.op);
    return !code.empty() && !usesReference(code) && slotNumber(cell(row, roles_.reference)) == n;
}

void References::keepSourceCurrent(int row, bool groupLine, const std::string& value,
                                   bool autoTitle) {
    const int n = slotNumber(cell(row, roles_.reference));
    if (n == 0 || !registry_.exists(n)) return;
    const std::string code(cell(row, roles_.op));
    ReferenceRegistry::Slot& slot = registry_.slot(n);
    if (code.size() <= 1 || groupLine) {
        if (watching_) written_.insert(n);
        slot.shown = cell(row, roles_.amount);
        slot.raw = value;
        if (code.size() <= 1) slot.description = cell(row, roles_.description);
        view_.referenceSlotChanged(n, slot.shown);
        return;
    }
    if (autoTitle && cell(row, roles_.description).empty() &&
        ColumnRoles::present(roles_.description))
        table_.setCell(row, roles_.description, slot.description);
}

void References::claimSource(int row) {
    const int n = slotNumber(cell(row, roles_.reference));
    if (n > 0 && !registry_.isLive(n)) registry_.setLinkCount(n, 0);
}

bool References::anySourceInUse(int first, int count) const {
    for (int row = first; row < first + count; ++row) {
        const std::string_view ref = cell(row, roles_.reference);
        if (ref.empty() || usesReference(cell(row, roles_.op))) continue;
        if (registry_.linkCount(slotNumber(ref)) >= 1) return true;
    }
    return false;
}

// A slot the registry does not have yet is made, empty, as the line names it.
std::string References::value(const std::string& ref, AddinPort& addins) {
    const int n = slotNumber(ref);
    if (n == 0) return addins.symbolValue(ref).value_or("0");
    const std::string& raw = registry_.slot(n).raw;
    if (watching_ && written_.count(n) == 0) readAhead_.emplace(n, raw);
    return raw.empty() ? "0" : raw;
}

void References::watchReplay() {
    watching_ = true;
    readAhead_.clear();
    written_.clear();
}

void References::takenAhead(int n) {
    written_.erase(n);
}

bool References::endWatch() {
    watching_ = false;
    for (const auto& [n, taken] : readAhead_)
        if (registry_.slot(n).raw != taken) return true;
    return false;
}

}  // namespace talvex
