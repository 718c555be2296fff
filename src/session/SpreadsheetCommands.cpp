#include "session/SpreadsheetCommands.h"
#include "engine/OptionNumbers.h"

#include <filesystem>
#include <vector>

#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "session/FrontEndPort.h"
#include "session/TapeCommands.h"
#include "shell/OptionTable.h"

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProduct = "Talvex";
constexpr const char* kExportTitle = "Export To What File?";
constexpr int kTabSeparatedFilter = 2;

bool lineNumbersShown(const CommandParts& parts) {
    return parts.options.option(option::kLineNosWidth) != 0;
}

const char* extensionOf(ExportFormat format) {
    return format == ExportFormat::csv ? ".csv" : ".txt";
}

// Beside the tape, under its name.
FileDialogRequest exportRequest(const CommandParts& parts) {
    const fs::path tape = parts.document.fileName;
    FileDialogRequest request;
    request.title = kExportTitle;
    request.filter = kExportFilter;
    request.folder = tape.has_parent_path() ? tape.parent_path().string()
                                            : parts.documents.workingFolder().string();
    if (tape.has_stem())
        request.proposedName = tape.stem().string() + extensionOf(ExportFormat::csv);
    request.save = true;
    return request;
}

// The open row is no line: a selection reaching it copies the lines only.
std::vector<int> selectedLines(const CommandParts& parts) {
    std::vector<int> lines;
    for (int row : parts.frontEnd.selectedLines())
        if (row > parts.engine.layout().hiddenRows && row < parts.engine.state().lastRow)
            lines.push_back(row);
    return lines;
}

}  // namespace

ExportFormat exportFormatOf(int filter) {
    return filter == kTabSeparatedFilter ? ExportFormat::tsv : ExportFormat::csv;
}

std::string exportFileName(const std::string& chosen, ExportFormat format) {
    fs::path path = chosen;
    if (!path.has_extension()) path += extensionOf(format);
    return path.string();
}

void exportThroughDialog(const CommandParts& parts) {
    const FileDialogResult chosen = parts.dialogs.chooseFile(exportRequest(parts));
    if (chosen.path.empty()) return;
    const ExportFormat format = exportFormatOf(chosen.filter);
    const std::string path = exportFileName(chosen.path, format);
    std::string error;
    if (!exportTape(path, parts.engine, parts.document.columns, lineNumbersShown(parts), format,
                    error)) {
        parts.dialogs.message("The tape could not be exported to " + path + ": " + error, kProduct,
                              Buttons::ok, Icon::error);
        return;
    }
    parts.engine.showStatusText("Exported to " + path);
}

void copySelection(const CommandParts& parts) {
    const std::vector<int> lines = selectedLines(parts);
    if (lines.size() < 2) {
        parts.engine.copyCell(parts.document.currentColumn);
        return;
    }
    const std::vector<int> cols =
        shownColumns(parts.engine, parts.document.columns, lineNumbersShown(parts));
    const ExportedCells cells = exportedCells(parts.engine, parts.document.columns, cols, lines);
    parts.engine.clipboard().setCells(tsvText(cells), htmlTable(cells));
}

}  // namespace talvex
