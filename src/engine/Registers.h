#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex {

class NumberFormatter;

// PendingMode values: what an "x" or "/" left for the next "=" or "%".
namespace pending {
inline constexpr int kNone = 0;
inline constexpr int kProductDone = 1;
inline constexpr int kQuotientDone = 2;
inline constexpr int kMultiply = 3;
inline constexpr int kQuotientTransient = 4;
inline constexpr int kDivide = 5;
}  // namespace pending

// The calculator's registers. Every tape line keeps a snapshot of them (the register record)
// so that any line can be re-keyed from the state the line above left.
struct Registers {
    double accumulator = 0.0;
    int itemCount = 0;
    double operand = 1.0;
    int pendingMode = pending::kNone;
    int groupCount = 0;
    std::string displayValue = "0";
    std::string rawEntry;
    std::string lineRef;
};

// Where the fields of a register record start: records of the earliest file version have no
// raw-entry field, so every field index is one less.
enum class RecordLayout { withRawEntry, withoutRawEntry };

// RawEntry ":" DisplayValue ":" Accumulator "|" ItemCount ":" Operand ":" PendingMode.
// Numbers are written exactly; a raw entry without a decimal separator gets one appended.
std::string makeRegisterRecord(const Registers& regs, const NumberFormatter& format);

// Field n (1-based, counted as written by makeRegisterRecord) of a record; empty if absent.
std::string_view recordField(std::string_view record, int field,
                             RecordLayout layout = RecordLayout::withRawEntry);
int recordFieldCount(std::string_view record);
// The raw entry of a record as makeRegisterRecord writes it again: a damaged record's field may
// hold a field separator or lack the decimal separator, and a replay that took it as it stands
// would write a different one.
std::string recordRawEntry(std::string_view record, RecordLayout layout, char decSep);
// The layout a record was written in, told by where its "accumulator|item count" pair stands
// (after the raw entry and the display value, or after the display value alone), whatever an
// add-in appended to it; none for a record without that pair.
std::optional<RecordLayout> recordLayoutOf(std::string_view record);
// Whether a register-column cell holds a register record. A line read from a file written while
// the tape was off has none: the cell keeps the line's field count instead.
bool isRegisterRecord(std::string_view cell);

// Restores DisplayValue, Accumulator, ItemCount, Operand and PendingMode from a record.
// Unreadable numbers read as 0.
void readRegisterRecord(std::string_view record, RecordLayout layout, const NumberFormatter& format,
                        Registers& regs);

}  // namespace talvex
