#pragma once

#include <filesystem>
#include <string>

#include "documents/ExportCells.h"

namespace talvex {

class ColumnSet;
class Engine;

enum class ExportFormat { csv, tsv };

// Comma-separated values as RFC 4180 has them: CRLF after every row, and a field quoted, with
// its quotes doubled, when it holds a comma, a quote, a CR or an LF. The header row comes first
// when the cells have captions. The text keeps the tape's own encoding (UTF-8 here).
std::string csvText(const ExportedCells& cells);

// The same cells with a TAB between them and LF after each row; a TAB, CR or LF inside a cell
// becomes a blank, as nothing in this format can quote it.
std::string tsvText(const ExportedCells& cells);

// An HTML table of the cells, text escaped, in a page that names its UTF-8 encoding: what a
// spreadsheet pastes as cells.
std::string htmlTable(const ExportedCells& cells);

// The text of the whole tape as the grid shows it, header row first.
std::string exportText(const Engine& engine, const ColumnSet& columns, bool lineNumbersShown,
                       ExportFormat format);

// Writes exportText to path as a save does: whole or not at all. False with the reason in
// error when the file could not be written.
bool exportTape(const std::filesystem::path& path, const Engine& engine, const ColumnSet& columns,
                bool lineNumbersShown, ExportFormat format, std::string& error);

}  // namespace talvex
