#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/TapeWriter.h"

namespace talvex {

class Engine;
class SettingsPort;
struct TapeDocument;

// What a read found: the data rows it took and what was wrong with the file. A damaged file
// is read as far as it goes; nothing in it stops or crashes the reader.
struct LoadReport {
    int dataRows = 0;
    int version = 0;
    // A file without references, notes or rows is a template without data, and saved again
    // it stays one.
    TapeKind kind = TapeKind::withData;
    std::vector<std::string> problems;  // one line each, saying where and what
};

// What a damaged file may make the reader keep. Past these bounds a file cannot be anyone's
// tape: a cell is cut, columns and rows are left out, and the report says so.
struct ReadLimits {
    // A cell longer than this is cut, at a character's start, to its first bytes.
    size_t cellBytes = 64 * 1024;
    // Columns beyond MaxCols are left out; without MaxCols, beyond this.
    int columns = 1024;
    int rows = 1000000;
};

// Loads a tape file's text into an emptied document and engine: the resets, the records, the
// lines, then the cursor and the display as the file left them.
LoadReport loadTapeText(std::string_view text, TapeDocument& document, Engine& engine,
                        SettingsPort& settings, const ReadLimits& limits = {});

}  // namespace talvex
