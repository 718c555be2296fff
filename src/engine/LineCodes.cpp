#include "engine/LineCodes.h"

#include <array>

#include "engine/EnginePorts.h"

namespace talvex {

std::string_view baseCode(std::string_view code) {
    if (code.size() >= 2 && code.back() == ' ') code.remove_suffix(1);
    return code;
}

bool usesReference(std::string_view code) {
    return code.size() >= 2 && code.back() == ' ';
}

bool takesEntry(std::string_view code) {
    static constexpr std::array kEntries = {op::kAdd,    op::kSubtract, op::kMultiply,
                                            op::kDivide, op::kEquals,   op::kPercent};
    const std::string_view base = baseCode(code);
    for (std::string_view entry : kEntries)
        if (base == entry) return true;
    return false;
}

bool isComputedLine(std::string_view code) {
    static constexpr std::array kComputed = {op::kClear,       op::kSubtotal,    op::kTotal,
                                             op::kStarTotal,   op::kGrandTotal,  op::kGroup,
                                             op::kGroupSigned, op::kGroupsTotal, op::kPlusItems,
                                             op::kMinusItems,  op::kStar};
    const std::string_view base = baseCode(code);
    for (std::string_view computed : kComputed)
        if (base == computed) return true;
    return false;
}

bool isGroupLine(std::string_view code) {
    const std::string_view base = baseCode(code);
    return (!base.empty() && base.front() == 'g') || base == op::kGroupsTotal;
}

bool isTotalLine(std::string_view code) {
    const std::string_view base = baseCode(code);
    return base == op::kTotal || base == op::kStarTotal || base == op::kGrandTotal;
}

bool hasTrailer(std::string_view code, bool starLine, bool resultLine, const AddinPort& addins) {
    if (isTotalLine(code)) return true;
    const std::string_view base = baseCode(code);
    if (base == op::kStar) return starLine;
    return resultLine && addins.isFunction(base) && !addins.isSideResult(base);
}

}  // namespace talvex
