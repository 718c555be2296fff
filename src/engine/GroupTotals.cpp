#include "engine/GroupTotals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/EntryState.h"
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

// A count cell can hold any text, typed or read from a file: its number saturates at the
// limits of a count instead of overflowing.
int GroupTotals::countAfterPrefix(int row) const {
    const std::string_view text = cell(row, roles_.itemCount);
    const std::string& prefix = settings_.countPrefix;
    if (!text.starts_with(prefix)) return 0;
    const double count = format_.read(text.substr(prefix.size()));
    if (std::isnan(count)) return 0;
    return static_cast<int>(std::clamp(count, kLowestCount, kHighestCount));
}

GroupTotals::Sum GroupTotals::totalOf(std::string_view ownCode, int row) const {
    const std::string_view lineClass = ownCode == op::kStarTotal ? op::kStar : op::kTotal;
    int start = 1;
    for (int above = row - 1; above >= 1; --above) {
        if (baseCode(opAt(above)) == ownCode) {
            start = above + 1;
            break;
        }
    }
    Sum total;
    for (int line = start; line < row; ++line) {
        const std::string_view code = baseCode(opAt(line));
        if (code.empty() || lineClass.find(code) == std::string_view::npos) continue;
        total.sum += format_.read(cell(line, roles_.amount));
        total.count = saturatedSum(total.count, countAfterPrefix(line));
    }
    return total;
}

GroupPlan GroupTotals::plan(int row, int lastRow, int mode) const {
    int start = 1;
    for (int above = row - 1; above >= 1; --above) {
        if (baseCode(opAt(above)) == op::kGrandTotal) {
            start = above + 1;
            break;
        }
    }
    GroupScan scan;
    // Labels edited by the user and references survive regeneration: take them over from the
    // group lines of an earlier run, in the scope and directly at the current row.
    std::vector<std::pair<std::string, std::string>> groupRefs;
    const auto takeOver = [&](int line) {
        const std::string_view code = baseCode(opAt(line));
        const std::string_view ref = cell(line, roles_.reference);
        const int index = summaryIndex(code);
        if (index >= 0) {
            const std::string label = trimmed(cell(line, roles_.description));
            if (!label.empty()) scan.labels[static_cast<size_t>(index)] = label;
            scan.refs[static_cast<size_t>(index)] = ref;
            if (format_.read(ref) > 0) scan.summaryHadRef = true;
        } else if (code == op::kGroup || code == op::kGroupSigned) {
            if (!ref.empty()) groupRefs.emplace_back(trimmed(cell(line, roles_.description)), ref);
        }
    };
    for (int line = start; line < row; ++line)
        if (isGroupLine(opAt(line))) takeOver(line);
    for (int line = row; line < lastRow && isGroupLine(opAt(line)); ++line) takeOver(line);

    GroupPlan plan;
    for (int line = start; line < row; ++line) {
        const std::string_view code = baseCode(opAt(line));
        const double amount = format_.read(cell(line, roles_.amount));
        if (code == op::kTotal) {
            scan.totals += amount;
            continue;
        }
        const bool plus = code == op::kAdd;
        if (!plus && code != op::kSubtract) continue;
        const double signedAmount = plus ? amount : -amount;
        if (Group* group = scan.find(trimmed(cell(line, roles_.description)))) {
            group->sum += signedAmount;
            group->count += 1;
        }
        plan.itemCount += 1;
        const size_t side = plus ? kPlusLine : kMinusLine;
        scan.sums[side] += signedAmount;
        scan.counts[side] += 1;
    }
    for (Group& group : scan.groups)
        for (const auto& [name, ref] : groupRefs)
            if (name == group.name && group.ref.empty()) group.ref = ref;
    plan.totals = scan.totals;
    const double plus = scan.sums[kPlusLine];
    const double minus = scan.sums[kMinusLine];
    plan.sums = {scan.totals, plus, minus, plus + minus};
    for (const Group& group : scan.groups) plan.sums.push_back(group.sum);

    const std::string& prefix = settings_.countPrefix;
    if (mode == group_mode::kGroupTotals || mode == group_mode::kSignedGroups) {
        const std::string_view code =
            mode == group_mode::kGroupTotals ? op::kGroup : op::kGroupSigned;
        for (const Group& group : scan.groups)
            plan.lines.push_back({code, group.sum, group.sum, group.name,
                                  prefix + std::to_string(group.count), group.ref});
    }
    const bool summary = mode == group_mode::kSignedGroups || mode == group_mode::kItems ||
                         (mode == group_mode::kGroupTotals && scan.summaryHadRef);
    if (!summary) return plan;
    if (mode != group_mode::kItems)
        plan.lines.push_back({op::kGroupsTotal,
                              scan.totals,
                              scan.totals,
                              scan.labels[kGroupsTotalLine],
                              {},
                              scan.refs[kGroupsTotalLine]});
    // While the item lines are written the display shows their running sum.
    plan.lines.push_back({op::kPlusItems, plus, plus, scan.labels[kPlusLine],
                          prefix + std::to_string(scan.counts[kPlusLine]), scan.refs[kPlusLine]});
    plan.lines.push_back({op::kMinusItems, minus, plus + minus, scan.labels[kMinusLine],
                          prefix + std::to_string(scan.counts[kMinusLine]), scan.refs[kMinusLine]});
    return plan;
}

}  // namespace talvex
