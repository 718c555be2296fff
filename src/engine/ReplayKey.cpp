#include "engine/ReplayKey.h"

#include "engine/EnginePorts.h"
#include "engine/EntryState.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

// The calculator's own keys, whatever add-in is active; kUnknownLine for any other code.
ReplayKey calculatorKey(std::string_view base) {
    if (base.empty()) return {key::kBlankLineCode};
    if (base == op::kAdd) return {key::kAdd};
    if (base == op::kSubtract) return {key::kSubtract};
    if (base == op::kMultiply) return {key::kMultiply};
    if (base == op::kDivide) return {key::kDivide};
    if (base == op::kPercent) return {key::kPercent};
    if (base == op::kEquals) return {key::kEquals};
    if (base == op::kClear) return {key::kClear};
    if (base == op::kSubtotal) return {key::kSubtotal};
    if (base == op::kTotal) return {key::kTotal};
    if (base == op::kStarTotal) return {key::kStarTotal};
    if (base == op::kGroup) return {key::kGrandTotal, group_mode::kGroupTotals};
    if (base == op::kGroupSigned) return {key::kGrandTotal, group_mode::kSignedGroups};
    if (base == op::kGrandTotal) return {key::kGrandTotal, group_mode::kGrandTotal};
    if (base == op::kPlusItems || base == op::kMinusItems)
        return {key::kGrandTotal, group_mode::kItems};
    // A "t" line starts a regenerated block only when its block has no group lines.
    if (base == op::kGroupsTotal) return {key::kGrandTotal, group_mode::kSignedGroups};
    return {key::kUnknownLine};
}

}  // namespace

ReplayKey keyToCode(std::string_view opCode, const AddinPort& addins) {
    const std::string_view base = baseCode(opCode);
    const ReplayKey own = calculatorKey(base);
    if (own.code != key::kUnknownLine) return own;
    if (addins.isAddinLetter(base)) return {key::kAddinFunction};
    return own;
}

bool isCalculatorLine(std::string_view opCode) {
    const std::string_view base = baseCode(opCode);
    return base == op::kStar || calculatorKey(base).code != key::kUnknownLine;
}

}  // namespace talvex
