// The total keys: W (total of star lines), GT in grand-total mode, and the group totals that
// sum the tape's items by their description.
#include <algorithm>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

void Engine::keyTotalsKey(int code) {
    const bool starTotal = code == key::kStarTotal;
    if (!hasRoomFor(2)) return;
    double total = 0.0;
    if (starTotal)
        total = totalOf(op::kStarTotal);
    else if (state_.entry.groupMode == group_mode::kGrandTotal)
        total = totalOf(op::kGrandTotal);
    else
        total = groupTotalsOrGrandTotal();
    const std::string_view ownCode = starTotal ? op::kStarTotal : op::kGrandTotal;
    state_.entry.entryOp = std::string(ownCode);
    prepareRowForWrite();
    state_.entry.entryText = formatNumber(total);
    state_.regs.displayValue = state_.entry.entryText;
    state_.regs.lineRef = cell(state_.curRow, layout_.roles.reference);
    if (!updateGrid()) return;
    if (!starTotal) state_.regs.accumulator = 0.0;
    state_.regs.lineRef.clear();
    state_.entry.entryOp.clear();
    updateGrid();
    state_.entry.entryOp = std::string(ownCode);
}

double Engine::totalOf(std::string_view ownCode) {
    const GroupTotals::Sum total = groupTotals_.totalOf(ownCode, state_.curRow);
    if (ownCode == op::kGrandTotal) state_.regs.groupCount = total.count;
    numberFits(total.sum);
    // Through plain text, so binary noise of the sum never reaches the tape.
    return format_.read(format_.plain(total.sum));
}

// Group totals that found nothing to group leave only their closing line, which is all the tape
// keeps of them and replays as a grand total: they are one already when keyed.
double Engine::groupTotalsOrGrandTotal() {
    const int before = state_.curRow;
    const double total = writeGroupTotals();
    return state_.curRow == before ? totalOf(op::kGrandTotal) : total;
}

double Engine::writeGroupTotals() {
    const GroupPlan plan = groupTotals_.plan(state_.curRow, state_.lastRow, state_.entry.groupMode);
    state_.regs.groupCount = plan.itemCount;
    const bool fits = std::all_of(plan.sums.begin(), plan.sums.end(),
                                  [this](double sum) { return numberFits(sum); });
    if (!fits) return plan.totals;
    for (const GroupLine& line : plan.lines)
        if (!writeGroupLine(line)) break;
    return plan.totals;
}

// Writes one group line and shows its running value in the display. A group line with a
// reference keeps its slot current.
bool Engine::writeGroupLine(const GroupLine& line) {
    state_.entry.entryText = formatNumber(line.value);
    state_.regs.displayValue =
        line.value == line.shown ? state_.entry.entryText : format_.format(line.shown);
    state_.regs.lineRef = line.ref;
    state_.entry.entryOp = std::string(line.code);
    if (!updateGrid()) return false;
    const int row = state_.curRow - 1;
    if (ColumnRoles::present(layout_.roles.description))
        table_.setCell(row, layout_.roles.description, line.label);
    if (!line.count.empty() && ColumnRoles::present(layout_.roles.itemCount))
        table_.setCell(row, layout_.roles.itemCount, line.count);
    keepSourceCurrent(row, true);
    return true;
}

}  // namespace talvex
