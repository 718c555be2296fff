#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/ColumnRoles.h"
#include "engine/NumberFormat.h"
#include "engine/TapeSettings.h"
#include "engine/TapeTable.h"

namespace talvex {

// One line the grand-total key writes: its value, what the display shows meanwhile, and the
// label, count and reference it carries. An empty count leaves the line its automatic count.
struct GroupLine {
    std::string_view code;
    double value = 0.0;
    double shown = 0.0;
    std::string label;
    std::string count;
    std::string ref;
};

// What the grand-total key found above the current row, before it writes anything.
struct GroupPlan {
    // The "T" lines in scope: the grand total.
    double totals = 0.0;
    // The "+" and "-" lines in scope.
    int itemCount = 0;
    // Every sum the lines show, which must fit the display before any line is written.
    std::vector<double> sums;
    std::vector<GroupLine> lines;
};

// The sums of the total keys: "W" over the star lines, "G" over the totals, and the group
// totals that sum the tape's items by their description. Reads the tape, writes nothing.
class GroupTotals {
  public:
    GroupTotals(const TapeTable& table, const ColumnRoles& roles, const NumberFormatter& format,
                const TapeSettings& settings)
        : table_(table), roles_(roles), format_(format), settings_(settings) {}

    struct Sum {
        double sum = 0.0;
        int count = 0;
    };
    // "W" sums the "*" lines and "G" the "T" lines since the previous line of the key's own
    // code above row, and counts their items.
    Sum totalOf(std::string_view ownCode, int row) const;
    // The group lines the key writes at row in the given group mode; group lines of an earlier
    // run (from row to the open row lastRow) give their labels and references to the new ones.
    GroupPlan plan(int row, int lastRow, int mode) const;

  private:
    std::string_view cell(int row, int col) const { return table_.cell(row, col); }
    std::string_view opAt(int row) const { return cell(row, roles_.op); }
    int countAfterPrefix(int row) const;

    const TapeTable& table_;
    const ColumnRoles& roles_;
    const NumberFormatter& format_;
    const TapeSettings& settings_;
};

}  // namespace talvex
