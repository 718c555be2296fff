#pragma once

#include <string>

#include "documents/TapeExport.h"

namespace talvex {

struct CommandParts;

// The export file dialog's formats, in the order of its filter list.
inline constexpr const char* kExportFilter =
    "CSV (comma-separated)|*.csv|Text (tab-separated)|*.txt";

// The format the dialog's filter stands for, and the file name with that format's extension
// when the user typed none.
ExportFormat exportFormatOf(int filter);
std::string exportFileName(const std::string& chosen, ExportFormat format);

// "&Export...": the user names a file and picks its format; the tape's shown columns are
// written there, or a message says why they could not be.
void exportThroughDialog(const CommandParts& parts);

// Copy: several lines selected in the grid go to the clipboard as cells a spreadsheet pastes;
// otherwise the current cell is copied, as ever.
void copySelection(const CommandParts& parts);

}  // namespace talvex
