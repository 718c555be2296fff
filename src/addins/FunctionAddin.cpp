#include "addins/FunctionAddin.h"

#include "addins/AddinFramework.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"

namespace talvex {

void FunctionAddin::entry(int code) {
    framework_.setCalcKind(kind_);
    switch (code) {
        case addin_event::kReset:
            reset();
            break;
        case addin_code::kListLoaded:
            listLoaded();
            break;
        case addin_event::kAutoText:
            autoText();
            break;
        case addin_code::kActivate:
            activate();
            break;
        case 0:
            framework_.dropDownList(addin_list::kFunctions);
            break;
        case addin_code::kFunctionChosen:
            chooseFunction(framework_.slotIndex(addin_list::kFunctions));
            break;
        case addin_code::kAddinKey:
            addinKey();
            break;
        default:
            break;
    }
}

bool FunctionAddin::wroteOwnLine() const {
    std::string_view code = baseCode(engine_.state().entry.entryOp);
    const int row = engine_.state().curRow;
    if (code.empty() && row > 1) code = baseCode(engine_.cell(row - 1, engine_.layout().roles.op));
    return framework_.isAddinLetter(code);
}

}  // namespace talvex
