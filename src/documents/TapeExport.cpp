#include "documents/TapeExport.h"

#include <string_view>
#include <vector>

#include "documents/FileIo.h"

namespace talvex {

namespace {

constexpr std::string_view kCsvLineEnd = "\r\n";

std::string csvField(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string tsvField(std::string cell) {
    for (char& c : cell)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return cell;
}

std::string htmlEscaped(const std::string& cell) {
    std::string escaped;
    escaped.reserve(cell.size());
    for (char c : cell) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// Every row, the captions first when there are any, with each field made by field, parted by
// separator and ended by lineEnd.
template <typename Field>
std::string joinedRows(const ExportedCells& cells, std::string_view separator,
                       std::string_view lineEnd, Field field) {
    std::string text;
    const auto append = [&](const std::vector<std::string>& row) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += separator;
            text += field(row[i]);
        }
        text += lineEnd;
    };
    if (!cells.captions.empty()) append(cells.captions);
    for (const auto& row : cells.rows) append(row);
    return text;
}

void appendHtmlRow(std::string& html, const std::vector<std::string>& row, std::string_view tag) {
    html += "<tr>";
    for (const std::string& cell : row)
        html += "<" + std::string(tag) + ">" + htmlEscaped(cell) + "</" + std::string(tag) + ">";
    html += "</tr>\n";
}

}  // namespace

std::string csvText(const ExportedCells& cells) {
    return joinedRows(cells, ",", kCsvLineEnd, csvField);
}

std::string tsvText(const ExportedCells& cells) {
    return joinedRows(cells, "\t", "\n", tsvField);
}

std::string htmlTable(const ExportedCells& cells) {
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body><table>\n";
    if (!cells.captions.empty()) appendHtmlRow(html, cells.captions, "th");
    for (const auto& row : cells.rows) appendHtmlRow(html, row, "td");
    return html + "</table></body></html>\n";
}

std::string exportText(const Engine& engine, const ColumnSet& columns, bool lineNumbersShown,
                       ExportFormat format) {
    const std::vector<int> cols = shownColumns(engine, columns, lineNumbersShown);
    const ExportedCells cells =
        withCaptions(exportedCells(engine, columns, cols, shownLines(engine)), columns, cols);
    return format == ExportFormat::csv ? csvText(cells) : tsvText(cells);
}

bool exportTape(const std::filesystem::path& path, const Engine& engine, const ColumnSet& columns,
                bool lineNumbersShown, ExportFormat format, std::string& error) {
    return writeFileAtomically(path, exportText(engine, columns, lineNumbersShown, format), error);
}

}  // namespace talvex
