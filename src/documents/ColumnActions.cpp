#include "documents/ColumnActions.h"

#include <algorithm>
#include <string>

#include "documents/DialogsPort.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

constexpr const char* kActionNames[] = {"Delete", "Insert before", "Add after", "Edit"};
constexpr const char* kTypeCodes[] = {"0", "1", "2"};
constexpr int kFirstRoleType = 12;

std::string shownCaption(const std::string& caption) {
    return caption.empty() ? "(Unnamed)" : caption;
}

}  // namespace

int ColumnActions::columnAction(int action, int selected) {
    ColumnSet& columns = document_.columns;
    const bool chosen = selected >= ColumnSet::kFirstColumn && selected <= columns.colCount();
    if (action == kDelete) return chosen ? deleteColumn(selected) : -1;
    if (action < kInsertBefore || action > kEdit) return -1;
    if (!chosen) {
        if (action == kEdit) return -1;
        return insertOrEdit(kAddAfter, columns.colCount());
    }
    return insertOrEdit(action, selected);
}

int ColumnActions::deleteColumn(int col) {
    ColumnSet& columns = document_.columns;
    const std::string caption = shownCaption(columns.column(col).caption);
    const int answer = dialogs_.message("Are you sure you want to Delete the " + caption +
                                            " Column?\n\n(All data in the column will be lost!)",
                                        "Delete Column " + std::to_string(col - 1) + "?",
                                        Buttons::yesNo, Icon::question);
    if (answer != answer::kYes) return -1;
    Engine::ChangeGroup step(engine_);
    columns.deleteColumn(col);
    return std::min(col, columns.colCount());
}

int ColumnActions::insertOrEdit(int action, int col) {
    ColumnSet& columns = document_.columns;
    const bool edit = action == kEdit;
    if (!edit && columns.colCount() + 1 > maxCols_) {
        dialogs_.message("A tape can have at most " + std::to_string(maxCols_) + " columns.",
                         "Talvex", Buttons::ok, Icon::warning);
        return -1;
    }
    const Column& current = columns.column(col);
    ColumnDialogState state;
    state.title = std::string(kActionNames[action]) + " Column " + std::to_string(col - 1) + " (" +
                  shownCaption(current.caption) + ")?";
    const int typeNumber = static_cast<int>(engine_.format().read(current.typeCode));
    if (edit) {
        state.caption = current.caption;
        state.width = columns.width(col);
        state.visible = current.visible;
        if (typeNumber >= kFirstRoleType) {
            // Role columns keep their type; one without a name shows its code.
            state.roleName = ColumnSet::typeName(current.typeCode);
            if (state.roleName.empty()) state.roleName = current.typeCode;
        } else
            state.typeIndex = std::clamp(typeNumber, 0, 2);
    }
    if (!dialogs_.editColumn(state)) return -1;
    // A caption or a type is worth taking back too, though no cell changes.
    Engine::ChangeGroup step(engine_);
    engine_.markChanged();
    int target = col;
    if (!edit) {
        target = action == kAddAfter ? col + 1 : col;
        columns.insertColumn(target);
    }
    Column& column = columns.column(target);
    columns.setWidth(target, state.width);
    if (state.roleName.empty())
        columns.setColType(target, kTypeCodes[std::clamp(state.typeIndex, 0, 2)]);
    column.caption = state.caption;
    column.visible = state.visible;
    columns.applyToEngine();
    if (edit) engine_.setModified(true);
    return target;
}

}  // namespace talvex
