// The total keys: W (total of star lines), GT in grand-total mode, and the group totals that
// sum the tape's items by their description.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr size_t kMaxGroups = 50;
constexpr double kLowestCount = std::numeric_limits<int>::min();
constexpr double kHighestCount = std::numeric_limits<int>::max();

int saturatedSum(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

struct Group {
    std::string name;
    double sum = 0.0;
    int count = 0;
    std::string ref;
};

// The summary lines: "t", "g+", "g-".
enum Summary { kGroupsTotalLine, kPlusLine, kMinusLine, kSummaryLines };

struct GroupScan {
    std::vector<Group> groups;
    double totals = 0.0;
    std::array<double, kSummaryLines> sums{};
    std::array<int, kSummaryLines> counts{};
    std::array<std::string, kSummaryLines> labels{"Group Totals", "+ Items", "- Items"};
    std::array<std::string, kSummaryLines> refs{};
    bool summaryHadRef = false;

    Group* find(const std::string& name) {
        for (Group& group : groups)
            if (group.name == name) return &group;
        if (groups.size() >= kMaxGroups) return nullptr;
        groups.push_back(Group{name, 0.0, 0, {}});
        return &groups.back();
    }
};

int summaryIndex(std::string_view code) {
    if (code == op::kGroupsTotal) return kGroupsTotalLine;
    if (code == op::kPlusItems) return kPlusLine;
    if (code == op::kMinusItems) return kMinusLine;
    return -1;
}

}  // namespace

void Engine::keyTotalsKey(int code) {
    const bool starTotal = code == key::kStarTotal;
    if (!hasRoomFor(2)) return;
    double total = 0.0;
    if (starTotal)
        total = totalOf(op::kStarTotal);
    else if (entry_.groupMode == group_mode::kGrandTotal)
        total = totalOf(op::kGrandTotal);
    else
        total = groupTotalsOrGrandTotal();
    const std::string_view ownCode = starTotal ? op::kStarTotal : op::kGrandTotal;
    entry_.entryOp = std::string(ownCode);
    prepareRowForWrite();
    entry_.entryText = formatNumber(total);
    regs_.displayValue = entry_.entryText;
    regs_.lineRef = cell(curRow_, roles_.reference);
    if (!updateGrid()) return;
    if (!starTotal) regs_.accumulator = 0.0;
    regs_.lineRef.clear();
    entry_.entryOp.clear();
    updateGrid();
    entry_.entryOp = std::string(ownCode);
}

// A count cell can hold any text, typed or read from a file: its number saturates at the
// limits of a count instead of overflowing.
int Engine::countAfterPrefix(int row) const {
    const std::string& text = cell(row, roles_.itemCount);
    const std::string& prefix = settings_.countPrefix;
    if (!text.starts_with(prefix)) return 0;
    const double count = format_.read(std::string_view(text).substr(prefix.size()));
    if (std::isnan(count)) return 0;
    return static_cast<int>(std::clamp(count, kLowestCount, kHighestCount));
}

// "W" sums the "*" lines and "G" the "T" lines since the previous line of the key's own code.
double Engine::totalOf(std::string_view ownCode) {
    const std::string_view lineClass = ownCode == op::kStarTotal ? op::kStar : op::kTotal;
    int start = 1;
    for (int row = curRow_ - 1; row >= 1; --row) {
        if (baseCode(opAt(row)) == ownCode) {
            start = row + 1;
            break;
        }
    }
    double sum = 0.0;
    int count = 0;
    for (int row = start; row < curRow_; ++row) {
        const std::string_view code = baseCode(opAt(row));
        if (code.empty() || lineClass.find(code) == std::string_view::npos) continue;
        sum += format_.read(cell(row, roles_.amount));
        count = saturatedSum(count, countAfterPrefix(row));
    }
    if (ownCode == op::kGrandTotal) regs_.groupCount = count;
    numberFits(sum);
    // Through plain text, so binary noise of the sum never reaches the tape.
    return format_.read(format_.plain(sum));
}

// Group totals that found nothing to group leave only their closing line, which is all the tape
// keeps of them and replays as a grand total: they are one already when keyed.
double Engine::groupTotalsOrGrandTotal() {
    const int before = curRow_;
    const double total = groupTotals();
    return curRow_ == before ? totalOf(op::kGrandTotal) : total;
}

double Engine::groupTotals() {
    int start = 1;
    for (int row = curRow_ - 1; row >= 1; --row) {
        if (baseCode(opAt(row)) == op::kGrandTotal) {
            start = row + 1;
            break;
        }
    }
    GroupScan scan;
    // Labels edited by the user and references survive regeneration: take them over from the
    // group lines of an earlier run, in the scope and directly at the current row.
    std::vector<std::pair<std::string, std::string>> groupRefs;
    const auto takeOver = [&](int row) {
        const std::string_view code = baseCode(opAt(row));
        const std::string& ref = cell(row, roles_.reference);
        const int index = summaryIndex(code);
        if (index >= 0) {
            const std::string label = trimmed(cell(row, roles_.description));
            if (!label.empty()) scan.labels[static_cast<size_t>(index)] = label;
            scan.refs[static_cast<size_t>(index)] = ref;
            if (format_.read(ref) > 0) scan.summaryHadRef = true;
        } else if (code == op::kGroup || code == op::kGroupSigned) {
            if (!ref.empty()) groupRefs.emplace_back(trimmed(cell(row, roles_.description)), ref);
        }
    };
    for (int row = start; row < curRow_; ++row)
        if (isGroupLine(opAt(row))) takeOver(row);
    for (int row = curRow_; row < lastRow_ && isGroupLine(opAt(row)); ++row) takeOver(row);

    int allCount = 0;
    for (int row = start; row < curRow_; ++row) {
        const std::string_view code = baseCode(opAt(row));
        const double amount = format_.read(cell(row, roles_.amount));
        if (code == op::kTotal) {
            scan.totals += amount;
            continue;
        }
        const bool plus = code == op::kAdd;
        if (!plus && code != op::kSubtract) continue;
        const double signedAmount = plus ? amount : -amount;
        if (Group* group = scan.find(trimmed(cell(row, roles_.description)))) {
            group->sum += signedAmount;
            group->count += 1;
        }
        allCount += 1;
        const size_t side = plus ? kPlusLine : kMinusLine;
        scan.sums[side] += signedAmount;
        scan.counts[side] += 1;
    }
    for (Group& group : scan.groups)
        for (const auto& [name, ref] : groupRefs)
            if (name == group.name && group.ref.empty()) group.ref = ref;
    regs_.groupCount = allCount;
    bool fits = numberFits(scan.totals) && numberFits(scan.sums[kPlusLine]) &&
                numberFits(scan.sums[kMinusLine]) &&
                numberFits(scan.sums[kPlusLine] + scan.sums[kMinusLine]);
    for (const Group& group : scan.groups) fits = fits && numberFits(group.sum);
    if (!fits) return scan.totals;

    const int mode = entry_.groupMode;
    const std::string& prefix = settings_.countPrefix;
    if (mode == group_mode::kGroupTotals || mode == group_mode::kSignedGroups) {
        const std::string_view code =
            mode == group_mode::kGroupTotals ? op::kGroup : op::kGroupSigned;
        for (const Group& group : scan.groups)
            if (!writeGroupLine(code, group.sum, group.sum, group.name,
                                prefix + std::to_string(group.count), group.ref))
                return scan.totals;
    }
    const bool summary = mode == group_mode::kSignedGroups || mode == group_mode::kItems ||
                         (mode == group_mode::kGroupTotals && scan.summaryHadRef);
    if (!summary) return scan.totals;
    if (mode != group_mode::kItems &&
        !writeGroupLine(op::kGroupsTotal, scan.totals, scan.totals, scan.labels[kGroupsTotalLine],
                        {}, scan.refs[kGroupsTotalLine]))
        return scan.totals;
    // While the item lines are written the display shows their running sum.
    const double plus = scan.sums[kPlusLine];
    if (!writeGroupLine(op::kPlusItems, plus, plus, scan.labels[kPlusLine],
                        prefix + std::to_string(scan.counts[kPlusLine]), scan.refs[kPlusLine]))
        return scan.totals;
    writeGroupLine(op::kMinusItems, scan.sums[kMinusLine], plus + scan.sums[kMinusLine],
                   scan.labels[kMinusLine], prefix + std::to_string(scan.counts[kMinusLine]),
                   scan.refs[kMinusLine]);
    return scan.totals;
}

// Writes one group line and shows `shown` in the display; an empty count leaves the "t" line
// its automatic count. A group line with a reference keeps its slot current.
bool Engine::writeGroupLine(std::string_view code, double value, double shown,
                            const std::string& label, const std::string& count,
                            const std::string& ref) {
    entry_.entryText = formatNumber(value);
    regs_.displayValue = value == shown ? entry_.entryText : format_.format(shown);
    regs_.lineRef = ref;
    entry_.entryOp = std::string(code);
    if (!updateGrid()) return false;
    const int row = curRow_ - 1;
    if (ColumnRoles::present(roles_.description)) table_.setCell(row, roles_.description, label);
    if (!count.empty() && ColumnRoles::present(roles_.itemCount))
        table_.setCell(row, roles_.itemCount, count);
    keepSourceCurrent(row, true);
    return true;
}

}  // namespace talvex
