#pragma once

#include "engine/ColumnRoles.h"
#include "engine/ReferenceRegistry.h"
#include "engine/Registers.h"
#include "engine/TapeTable.h"

namespace talvex {

// A tape as a file holds it, read in full before the engine takes it over with Engine::load.
struct LoadedTape {
    // Rows 1..rows; column 0 holds each row's register record as the file has it.
    TapeTable table;
    int rows = 0;
    // Files before version 2 keep no raw entry in their records.
    RecordLayout records = RecordLayout::withRawEntry;
    ColumnRoles roles{ColumnRoles::kNoColumn, ColumnRoles::kNoColumn, ColumnRoles::kNoColumn,
                      ColumnRoles::kNoColumn, ColumnRoles::kNoColumn, ColumnRoles::kNoColumn};
    int colCount = 1;
    // Each slot's shown value and link count as saved.
    ReferenceRegistry references;
    // The row the cursor was on when the tape was saved; 0 when the file does not say.
    int savedRow = 0;
};

}  // namespace talvex
