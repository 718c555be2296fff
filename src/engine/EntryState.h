#pragma once

#include <string>

namespace talvex {

// The items of the group-total list; the grand-total key works by the one chosen.
namespace group_mode {
inline constexpr int kGroupTotals = 0;   // "group totals": "g" lines
inline constexpr int kSignedGroups = 1;  // "gts with +/-": "g." lines and the "+"/"-" items
inline constexpr int kGrandTotal = 2;    // "Grand Total": one "G" line
inline constexpr int kItems = 3;         // "GT with +/-": the "+"/"-" items and the grand total
}  // namespace group_mode

// The line being keyed.
struct EntryState {
    // The number being keyed: "0" when idle after C or CE; empty on a new or just-read tape,
    // where nothing is keyed yet and an operator repeats, as on the open row after any operator.
    std::string entryText;
    std::string entryOp;         // the operator code the next write stores
    bool entryStarted = false;   // a digit was keyed since the last operator
    bool decimalAllowed = true;  // no decimal separator keyed yet
    int fractionState = 0;       // 0 none, 1 after the blank, 2 after the fraction bar
    bool operatorLast = false;   // the next operator repeats or reuses instead of taking an entry
    // A line whose entry was not keyed takes its value again (from the display or the line
    // above) when it is keyed again, while keeping its own reference if it is a source.
    bool takeAgain = false;
    int refPickRow = 0;  // the row where a reference is being picked, 0 when none
    int groupMode = 0;   // 0 group totals, 1 gts with +/-, 2 Grand Total, 3 GT with +/-
};

}  // namespace talvex
