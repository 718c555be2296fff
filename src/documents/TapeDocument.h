#pragma once

#include <array>
#include <string>

#include "documents/Columns.h"
#include "documents/DialogsPort.h"

namespace talvex {

// The tape font and the three font-size slots of the main window's labels; slot 3 is also the
// label printer's size, which may be "Fit". Sizes keep the text they were read as.
struct TapeFont {
    std::string name = "Courier New";
    std::array<std::string, 3> sizes{"10", "10", "10"};
    bool bold = false;
    bool italic = false;
    std::string labelPrinterSize = "10";

    bool operator==(const TapeFont&) const = default;
};

// Everything a tape file carries besides the tape's cells and the settings groups.
struct TapeDocument {
    explicit TapeDocument(Engine& engine) : columns(engine) {}

    ColumnSet columns;
    std::string notes;  // lines separated by CR LF
    TapeFont font;
    int printRangeChoice = 0;
    int fromRow = 1;
    int toRow = 2;
    int lineNumberWidth = 3;
    int proportional = 0;
    std::array<int, 2> addinSlotIndex{0, 0};
    int version = 0;
    int savedRow = 0;
    int savedColumn = 0;
    int currentColumn = 2;  // the cursor's data column

    // The open document.
    std::string fileName;
    std::string dialogName;
    answer::Answer saveAnswer = answer::kNone;
    int cleanRow = 0;
    std::string returnFile;
};

}  // namespace talvex
