// Operations that either finish or change nothing. An edit in the middle of the tape may need
// rows, produce a number too large to show or name a reference that does not exist only halfway
// through its recalculation; it is then taken back whole instead of leaving a half-edited tape.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "engine/Engine.h"

namespace talvex {

namespace {

constexpr std::string_view kOverflow = "Overflow";

// Thrown inside an operation only, and caught where the operation began.
struct Refusal {
    std::string message;
    // The user called the operation off: the figures typed for it go with it.
    bool dropsEntry = false;
};

}  // namespace

// Everything an operation may change besides the table, which keeps its own journal.
auto Engine::restorableState() {
    return std::tie(state_.regs, state_.entry, references_.registry(), layout_.widths, settings_,
                    layout_.maxRows, state_.lastRow, state_.curRow, layout_.hiddenRows,
                    lastClearRow_, editMode_, backspaceState_, state_.modified, amountEditPending_);
}

bool Engine::atomically(const std::function<void()>& body) {
    if (operationDepth_ > 0) {
        body();
        return true;
    }
    ChangeGroup group(*this);
    // The edits a refused operation made and took back are not a step.
    const size_t editsBefore = pendingEdits_.size();
    auto saved =
        std::apply([](const auto&... member) { return std::tuple(member...); }, restorableState());
    table_.startJournal();
    ++operationDepth_;
    try {
        body();
    } catch (const Refusal& refusal) {
        --operationDepth_;
        if (table_.logging())
            table_.takeBackLog(editsBefore);
        else
            table_.rollBack();
        const int shownBoxes = references_.registry().boxCount();
        const bool widthsChanged = layout_.widths != std::get<std::vector<int>>(saved);
        restorableState() = std::move(saved);
        if (table_.logging()) rewriteLineNumbers(state_.lastRow, layout_.hiddenRows);
        if (refusal.dropsEntry) dropPendingEdit();
        showRestoredState(shownBoxes, widthsChanged);
        statusError(refusal.message);
        return false;
    }
    --operationDepth_;
    table_.endJournal();
    return true;
}

void Engine::showRestoredState(int shownBoxes, bool widthsChanged) {
    view_.rowCountChanged(state_.lastRow);
    view_.rowsChanged(1, 0);
    const ReferenceRegistry& slots = references_.registry();
    for (int n = 1; n < std::max(shownBoxes, slots.boxCount()); ++n)
        view_.referenceSlotChanged(n, slots.exists(n) ? slots.slot(n).shown : "");
    if (widthsChanged) view_.columnLayoutChanged();
    view_.currentRowChanged(state_.curRow);
    setLCDColor();
    updateLCD();
}

void Engine::refuse(std::string_view message) {
    if (operationDepth_ > 0) throw Refusal{std::string(message)};
    statusError(std::string(message));
}

void Engine::callOff(std::string_view message) {
    if (operationDepth_ > 0) throw Refusal{std::string(message), true};
    statusError(std::string(message));
}

// The line shows its own amount again, and moving away from it changes nothing.
void Engine::dropPendingEdit() {
    amountEditPending_ = false;
    state_.entry.entryText.clear();
    state_.entry.entryStarted = false;
    state_.entry.entryOp.clear();
    getRegs(state_.curRow);
}

// A number that is not finite never reaches the tape: the key that produced it is refused.
bool Engine::numberFits(double value) {
    if (std::isfinite(value)) return true;
    refuse(kOverflow);
    return false;
}

}  // namespace talvex
