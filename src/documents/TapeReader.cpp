#include "documents/TapeReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "documents/LegacyRecords.h"
#include "documents/LogoScrambler.h"
#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "documents/TapeFields.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr int kCurrentVersion = 2;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A badly damaged file could name every line; the first few say enough.
constexpr int kMaxRowProblems = 10;

// The records a file of the current version holds before its references, notes and rows, in
// the order they are written.
constexpr std::array<std::string_view, 11> kHeaderTags = {"Ver", "H",   "W",   "S",   "V", "F",
                                                          "Lgo", "Clc", "Tpe", "Prt", "A"};
// The records of the settings groups, in the order of their numbers.
constexpr std::array<std::string_view, settings_group::kCount> kGroupTags = {"Clc", "Tpe", "Prt",
                                                                             "Lgo"};
constexpr std::array<std::string_view, 7> kOtherTags = {"M", "N", "L", "O", "B", "P", "X"};

bool knownTag(std::string_view tag) {
    return std::find(kHeaderTags.begin(), kHeaderTags.end(), tag) != kHeaderTags.end() ||
           std::find(kOtherTags.begin(), kOtherTags.end(), tag) != kOtherTags.end();
}

std::string quoted(std::string_view tag) {
    return "\"" + std::string(tag) + "\"";
}

class TapeReader {
  public:
    TapeReader(TapeDocument& doc, SettingsPort& settings, const ReadLimits& limits)
        : doc_(doc), settings_(settings), limits_(limits), legacy_(settings) {
        const int maxCols = settings_.maxCols();
        mostColumns_ = maxCols > 0 ? std::min(maxCols, limits_.columns) : limits_.columns;
    }

    void readLine(std::string_view line) {
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        splitFields(line, fields_);
        Fields& fields = fields_;
        const std::vector<CutField> cut = cutLongFields(fields, limits_.cellBytes);
        cleaner_.clean(fields);
        const bool numbered = rowNumber(fields.front()) != 0.0;
        if (numbered) {
            readRow(fields, cut, true);
        } else if (knownTag(fields.front())) {
            readRecord(fields);
            for (const CutField& field : cut)
                reportCut("line " + std::to_string(lineNumber_) + ": field " +
                              std::to_string(field.index + 1) + " of the " +
                              quoted(fields.front()) + " record",
                          field.bytes);
        } else if (pastHeader() && !line.empty()) {
            // After the header every line but the references and notes is a row: a row
            // whose number was damaged is still one of the tape's lines.
            readRow(fields, cut, false);
        }
    }

    // What the whole file says, once every line is read: the version and what is missing.
    void finish(std::string_view text) {
        if (!text.empty() && text.back() != '\n')
            problem("line " + std::to_string(lineNumber_) +
                    " is cut short: the file ends inside it");
        settleVersion();
        legacy_.carryGroups();
        reportMissingRecords();
        if (damagedRows_ > kMaxRowProblems)
            problem(std::to_string(damagedRows_ - kMaxRowProblems) +
                    " more rows have a damaged row number");
        if (cutCells_ > kMaxRowProblems)
            problem(std::to_string(cutCells_ - kMaxRowProblems) + " more cells were cut to " +
                    std::to_string(limits_.cellBytes) + " bytes");
        if (rowsLeftOut_ > 0)
            problem(std::to_string(rowsLeftOut_) + " rows after row " +
                    std::to_string(limits_.rows) + " are left out: a tape holds at most " +
                    std::to_string(limits_.rows) + " rows");
        const bool hasData = seen("M") || seen("N") || report_.dataRows > 0;
        report_.kind = hasData ? TapeKind::withData : TapeKind::templateWithoutData;
    }

    void problem(std::string text) { report_.problems.push_back(std::move(text)); }
    void reserveRows(int rows) { tape_.table.reserveRows(rows); }
    LoadReport& report() { return report_; }
    // The tape as read, with the columns and cursor the file gave the document.
    LoadedTape takeTape() {
        tape_.rows = report_.dataRows;
        doc_.columns.printAsShown();
        tape_.roles = doc_.columns.roles();
        tape_.colCount = doc_.columns.colCount();
        tape_.savedRow = doc_.savedRow;
        return std::move(tape_);
    }

  private:
    bool seen(std::string_view tag) const { return firstLine_.count(std::string(tag)) > 0; }
    bool pastHeader() const { return seen("A") || seen("M") || report_.dataRows > 0; }

    void reportCut(const std::string& where, size_t bytes) {
        if (++cutCells_ > kMaxRowProblems) return;
        problem(where + " held " + std::to_string(bytes) + " bytes; cut to at most " +
                std::to_string(limits_.cellBytes));
    }

    // The columns of the file's rows: those of its "H" record, some of which may be left out.
    int fileColumns() const { return fileColumns_ > 0 ? fileColumns_ : doc_.columns.colCount(); }

    void readRow(const Fields& fields, const std::vector<CutField>& cut, bool numbered) {
        if (report_.dataRows >= limits_.rows) {
            ++rowsLeftOut_;
            return;
        }
        readDataRow(fields, numbered);
        const int fileCols = fileColumns();
        for (const CutField& field : cut) {
            const int col = static_cast<int>(field.index) + 1;
            const std::string what = col <= fileCols ? "the cell in column " + std::to_string(col)
                                     : col == fileCols + 1 ? std::string("the register record")
                                                           : std::string("the reference");
            reportCut("row " + std::to_string(report_.dataRows) + " (line " +
                          std::to_string(lineNumber_) + "): " + what,
                      field.bytes);
        }
    }

    void readDataRow(const Fields& fields, bool numbered) {
        const int row = ++report_.dataRows;
        const size_t colCount = static_cast<size_t>(std::max(doc_.columns.colCount(), 0));
        const size_t fileCols = static_cast<size_t>(std::max(fileColumns(), 0));
        const size_t count = fields.size();
        // The row is built whole and handed over at once: one block per row, not one per cell.
        // Column 1 is always there: a damaged row number is written into it.
        std::vector<std::string_view>& cells = rowCells_;
        cells.assign(count > fileCols + 1 ? colCount + 2
                                          : std::max<size_t>(std::min(count, colCount) + 1, 2),
                     std::string_view());
        const std::string fieldCount = std::to_string(count);
        cells[kRegisterColumn] = fieldCount;
        for (size_t col = 1; col <= colCount && col <= count; ++col) cells[col] = fields[col - 1];
        // The register record follows the file's columns, also those left out.
        if (count > fileCols) {
            const std::string_view record = fields[fileCols];
            cells[kRegisterColumn] = record;
            const auto layout = recordLayoutOf(record);
            if (layout == RecordLayout::withRawEntry) ++currentRecords_;
            if (layout == RecordLayout::withoutRawEntry) ++earliestRecords_;
        }
        if (count > fileCols + 1) cells[colCount + 1] = fields.back();
        const std::string shownRow = numbered ? std::string() : std::to_string(row);
        if (!numbered) {
            // The line-number column shows where the row stands; the file's text there
            // could not be read.
            cells[1] = shownRow;
            if (++damagedRows_ <= kMaxRowProblems)
                problem("line " + std::to_string(lineNumber_) +
                        ": the row number is damaged; read as row " + std::to_string(row));
        }
        tape_.table.putRow(row, TapeTable::Row(cells));
    }

    void readRecord(const Fields& fields) {
        const std::string_view tag = fields.front();
        const std::string key(tag);
        const bool repeatable = tag == "N";
        // The first of each record counts: a second one (two files run together) would change
        // the columns or the version under the rows already read.
        if (!firstLine_.emplace(key, lineNumber_).second && !repeatable) {
            problem("line " + std::to_string(lineNumber_) + ": a second " + quoted(tag) +
                    " record (the first is line " + std::to_string(firstLine_[key]) +
                    "); it is left out");
            return;
        }
        checkFlags(tag, fields);
        settings_.setLoading(true);
        if (tag == "H") readColumnCount(static_cast<int>(fields.size()));
        const bool perColumn = tag == "H" || tag == "W" || tag == "S" || tag == "V";
        if (tag == "N") {
            readNote(fields);
        } else {
            for (size_t i = 1; i < fields.size(); ++i) {
                if (perColumn && static_cast<int>(i) + 1 > mostColumns_) break;
                if (groupLeftToUser(tag, static_cast<int>(i) + 1)) break;
                readField(tag, static_cast<int>(i) + 1, fields[i]);
            }
        }
        settings_.setLoading(false);
    }

    // A group whose flag is off shows the user's own settings: a save writes no values after
    // such a flag (but the calculator's number format), so any found there are damage, and
    // taking them would give the tape settings its next save does not keep.
    bool groupLeftToUser(std::string_view tag, int i) const {
        const auto group = std::find(kGroupTags.begin(), kGroupTags.end(), tag);
        if (group == kGroupTags.end()) return false;
        const int index = static_cast<int>(group - kGroupTags.begin());
        const int lastWithFlagOff = index == settings_group::kCalculator ? 3 : 2;
        if (i <= lastWithFlagOff) return false;
        const std::string flag = settings_.groupField(index, -1);
        return flag.empty() || flag == "0";
    }

    void readField(std::string_view tag, int i, std::string_view v) {
        const std::string text(v);
        if (tag == "Ver") return readVersion(i, v);
        if (tag == "H") {
            doc_.columns.column(i).caption = text;
            return;
        }
        if (tag == "W" || tag == "S") {
            // The engine finds its amounts by the type codes: a damaged one loses a column.
            if (!wholeNumber(v))
                problem("line " + std::to_string(lineNumber_) + ": the " +
                        (tag == "W" ? "width" : "type") + " of column " + std::to_string(i) +
                        " is not a number");
            if (tag == "W") return doc_.columns.setWidth(i, fileShort(v));
            // A damaged type is kept as the code it is read as, so a save writes a sound one.
            return setType(i, wholeNumber(v) ? text : std::to_string(ColumnSet::typeNumber(text)));
        }
        if (tag == "V") {
            doc_.columns.column(i).visible = v == "True";
            return;
        }
        if (tag == "F") return readFont(i, text);
        if (tag == "Lgo") return readMessenger(i, v);
        if (tag == "Clc") return settings_.setGroupField(settings_group::kCalculator, i - 3, v);
        if (tag == "Tpe") return settings_.setGroupField(settings_group::kTape, i - 3, v);
        if (tag == "Prt") return settings_.setGroupField(settings_group::kPrinter, i - 3, v);
        if (tag == "A") {
            if (i - 2 < 2) doc_.addinSlotIndex[static_cast<size_t>(i - 2)] = fileShort(v);
            return;
        }
        if (tag == "M") return readSlot(i - 2, v);
        legacy_.read(tag, i - 2, v);
    }

    // The version decides how register records are read, and so every amount a
    // recalculation gives; it is settled when the whole file has been seen.
    void readVersion(int i, std::string_view v) {
        if (i == 2) {
            doc_.version = report_.version = fileShort(v);
            versionText_ = std::string(v);
        } else if (i >= 3 && i <= 6) {
            // A group's own record, when it came first, holds the flag its values were read with.
            if (!seen(kGroupTags[static_cast<size_t>(i - 3)]))
                settings_.setGroupField(i - 3, -1, v);
        } else if (i == 7) {
            doc_.savedRow = fileInt(v);
        } else if (i == 8) {
            doc_.savedColumn = fileInt(v);
        }
    }

    // Without a readable version the records themselves tell their layout; a tape whose
    // records are all of the earliest kind is an early file, anything else is current. Records
    // that all have the other layout than the version's are read as they are written: read
    // the version's way they would give every line wrong registers, and the tape would save
    // them under a version they do not match.
    void settleVersion() {
        const int fromRecords = earliestRecords_ > 0 && currentRecords_ == 0 ? 0 : kCurrentVersion;
        const std::string where = seen("Ver") ? "line " + std::to_string(firstLine_["Ver"]) : "";
        if (!seen("Ver")) {
            problem("the file has no \"Ver\" record; read as version " +
                    std::to_string(fromRecords));
            doc_.version = fromRecords;
        } else if (!wholeNumber(versionText_) || doc_.version < 0 ||
                   doc_.version > kCurrentVersion || fileNumber(versionText_) != doc_.version) {
            problem(where + ": the version \"" + versionText_ +
                    "\" is not one this program reads; read as version " +
                    std::to_string(fromRecords));
            doc_.version = fromRecords;
        } else if ((doc_.version >= 2) != (fromRecords >= 2) &&
                   currentRecords_ + earliestRecords_ > 0) {
            const bool unanimous = currentRecords_ == 0 || earliestRecords_ == 0;
            problem(where + ": the register records do not have the layout of version " +
                    std::to_string(doc_.version) +
                    (unanimous ? "; read in the layout they have" : ""));
            if (unanimous) {
                report_.version = doc_.version;
                tape_.records = layoutOf(fromRecords);
                return;
            }
        }
        report_.version = doc_.version;
        tape_.records = layoutOf(doc_.version);
    }

    static RecordLayout layoutOf(int version) {
        return version >= 2 ? RecordLayout::withRawEntry : RecordLayout::withoutRawEntry;
    }

    // A file of the current version always carries the whole header; earlier ones at least
    // their columns and types. A header that stops short means the file was cut there.
    void reportMissingRecords() {
        const bool current = doc_.version >= kCurrentVersion;
        std::vector<std::string_view> missing;
        for (std::string_view tag : kHeaderTags)
            if (tag != "Ver" && !seen(tag) && (current || tag == "H" || tag == "S"))
                missing.push_back(tag);
        const bool endsInHeader =
            !missing.empty() && !pastHeader() &&
            std::all_of(std::find(kHeaderTags.begin(), kHeaderTags.end(), missing.front()),
                        kHeaderTags.end(), [&](std::string_view tag) { return !seen(tag); });
        if (endsInHeader) {
            problem("the file ends inside its header, before the " + quoted(missing.front()) +
                    " record");
            return;
        }
        for (std::string_view tag : missing)
            problem("the file has no " + quoted(tag) + " record" +
                    (tag == "H" ? ": the columns could not be read" : ""));
        if (current && report_.dataRows > 0 && !seen("M"))
            problem("the file has rows but no \"M\" record: the references could not be read");
    }

    // A save-with-tape flag decides whether the settings that follow it are the tape's own; one
    // that is not a number reads as 0 and gives the tape the user's settings instead.
    void checkFlags(std::string_view tag, const Fields& fields) {
        size_t first = 1, last = 1;
        if (tag == "Ver") {
            first = 2;
            last = 5;
        } else if (tag != "Clc" && tag != "Tpe" && tag != "Prt" && tag != "Lgo") {
            return;
        }
        for (size_t i = first; i <= last && i < fields.size(); ++i) {
            const std::string flag =
                tag == "Lgo" ? unscrambleLogo(fields[i]) : std::string(fields[i]);
            if (!wholeNumber(flag))
                problem("line " + std::to_string(lineNumber_) + ": a save-with-tape flag of " +
                        quoted(tag) + " is not a number");
        }
    }

    // Columns past the limit are left out, with their cells: a tape that wide cannot be
    // shown or edited, and reading it would cost time for every row.
    void readColumnCount(int colCount) {
        fileColumns_ = colCount;
        doc_.columns.reset(std::min(colCount, mostColumns_));
        doc_.lineNumberWidth = 3;
        if (colCount > mostColumns_)
            problem("line " + std::to_string(lineNumber_) + ": " + std::to_string(colCount) +
                    " columns, more than MaxCols (" + std::to_string(mostColumns_) +
                    "); the columns after column " + std::to_string(mostColumns_) +
                    " are left out, with their cells");
    }

    void setType(int col, const std::string& text) { doc_.columns.setColType(col, text); }

    void readFont(int i, const std::string& v) {
        TapeFont& font = doc_.font;
        switch (i) {
            case 2:
                font.name = v;
                break;
            case 3:
                setSizeSlot(0, v);
                if (doc_.version == 0) {
                    setSizeSlot(1, v);
                    setSizeSlot(2, v);
                }
                doc_.proportional = 0;
                break;
            case 4:
                font.bold = v == "True";
                break;
            case 5:
                font.italic = v == "True";
                break;
            case 6:
                setSizeSlot(1, v);
                break;
            case 7:
                setSizeSlot(2, v);
                break;
            case 8:
                doc_.printRangeChoice = fileShort(v);
                break;
            case 9:
                doc_.fromRow = fileInt(v);
                break;
            case 10:
                doc_.toRow = fileInt(v);
                break;
            case 11:
                doc_.lineNumberWidth = fileShort(v);
                break;
            case 12:
                doc_.proportional = fileShort(v);
                break;
            default:
                break;
        }
    }

    // "10:Fit" is size 10 for the label, and "Fit" for the label printer.
    void setSizeSlot(int slot, const std::string& v) {
        const size_t colon = v.find(':');
        const std::string size = v.substr(0, colon);
        doc_.font.sizes[static_cast<size_t>(slot)] = size;
        if (slot == 2) {
            const bool fit = colon != std::string::npos && v.substr(colon + 1) == "Fit";
            doc_.font.labelPrinterSize = fit ? "Fit" : size;
        }
    }

    void readMessenger(int i, std::string_view v) {
        if (i == 2)
            return settings_.setGroupField(settings_group::kMessenger, -1, unscrambleLogo(v));
        if (i != 3) return;
        // A picture file name first: an early file that kept the parameters as plain text.
        const std::string_view first = v.substr(0, v.find(','));
        const bool plain = first.size() >= 4 && first.substr(first.size() - 4) == ".bmp";
        settings_.setGroupField(settings_group::kMessenger, 0,
                                plain ? std::string(v) : unscrambleLogo(v));
    }

    void readSlot(int box, std::string_view v) {
        if (box < 0 || box > ReferenceRegistry::kMaxSlots) return;
        const size_t colon = v.find(':');
        ReferenceRegistry::Slot& slot = tape_.references.slot(box);
        slot.shown = std::string(v.substr(0, colon));
        slot.linkCount = colon == std::string_view::npos ? 0 : fileInt(v.substr(colon + 1));
        if (slot.linkCount < ReferenceRegistry::kFree) slot.linkCount = ReferenceRegistry::kFree;
    }

    // Notes come one line per record; an empty first line is kept too. A line is the rest of
    // its record, so a TAB typed into the notes pad stays in its line.
    void readNote(const Fields& fields) {
        if (fields.size() < 2) return;
        if (notesRead_++ > 0) doc_.notes += "\r\n";
        for (size_t i = 1; i < fields.size(); ++i) {
            if (i > 1) doc_.notes += '\t';
            doc_.notes += fields[i];
        }
    }

    TapeDocument& doc_;
    SettingsPort& settings_;
    const ReadLimits& limits_;
    LegacyRecords legacy_;
    int mostColumns_ = 0;
    int fileColumns_ = 0;
    int cutCells_ = 0;
    int rowsLeftOut_ = 0;
    FieldCleaner cleaner_;
    LoadReport report_;
    LoadedTape tape_;
    Fields fields_;
    std::vector<std::string_view> rowCells_;  // kept from row to row
    std::map<std::string, int> firstLine_;    // each record's tag and the line it was read from
    std::string versionText_;
    int lineNumber_ = 0;
    int notesRead_ = 0;
    int currentRecords_ = 0;
    int earliestRecords_ = 0;
    int damagedRows_ = 0;
};

void resetForLoad(TapeDocument& doc, Engine& engine, SettingsPort& settings) {
    doc.notes.clear();
    doc.currentColumn = 2;
    doc.version = 0;
    doc.savedRow = doc.savedColumn = 0;
    doc.fromRow = 1;
    doc.toRow = 2;
    doc.printRangeChoice = 0;
    engine.setGroupMode(0);
    settings.setLoading(true);
    settings.setOption(option::kTapeOn, 0);
    for (int group = 0; group < settings_group::kCount; ++group)
        settings.setGroupField(group, -1, "0");
    settings.setLoading(false);
}

}  // namespace

LoadReport loadTapeText(std::string_view text, TapeDocument& document, Engine& engine,
                        SettingsPort& settings, const ReadLimits& limits) {
    resetForLoad(document, engine, settings);
    TapeReader reader(document, settings, limits);
    // Editors that save UTF-8 may put a byte-order mark before the first record.
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
        const auto line = std::count(text.begin(), text.begin() + static_cast<long>(nul), '\n') + 1;
        reader.problem("line " + std::to_string(line) +
                       " holds a NUL byte: the file holds binary data, not a tape");
    }
    reader.reserveRows(static_cast<int>(std::count(text.begin(), text.end(), '\n')));
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        reader.readLine(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    reader.finish(text);
    engine.load(reader.takeTape());
    const int amount = engine.layout().roles.amount;
    if (engine.state().tapeOn && ColumnRoles::present(amount)) document.currentColumn = amount;
    settings.tapeRead(document.addinSlotIndex);
    return reader.report();
}

}  // namespace talvex
