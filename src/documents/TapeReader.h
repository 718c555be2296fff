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

// Loads a tape file's text into an emptied document and engine: the resets, the records, the
// lines, then the cursor and the display as the file left them.
LoadReport loadTapeText(std::string_view text, TapeDocument& document, Engine& engine,
                        SettingsPort& settings);

}  // namespace talvex
