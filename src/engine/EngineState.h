#pragma once

#include "engine/EntryState.h"
#include "engine/Registers.h"

namespace talvex {

// Where the calculator stands: the line being keyed, the registers of the current line, the
// cursor and whether the tape changed since it was read or saved.
struct EngineState {
    Registers regs;
    EntryState entry;
    // The open row, where the next line is written; every tape has at least row 1.
    int lastRow = 1;
    int curRow = 1;
    // With the tape off the engine is a plain calculator and the grid a plain table.
    bool tapeOn = true;
    bool modified = false;
};

}  // namespace talvex
