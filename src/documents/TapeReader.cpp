#include "documents/TapeReader.h"

#include <algorithm>
#include <cmath>

#include "documents/LogoScrambler.h"
#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

using Fields = std::vector<std::string_view>;

constexpr int kTapeOnOption = 17;
constexpr double kLegacyColourOffset = 5000000000.0;

// Numbers in the file are plain decimal text with "." whatever the locale.
double fileNumber(std::string_view text) {
    static const NumberFormatter kFileNumbers(NumberSymbols::forDecSep('.'));
    return kFileNumbers.read(text);
}

// A number for a 16-bit setting: rounded to the nearest integer, halves to even.
int fileInt(std::string_view text) {
    const double value = std::nearbyint(fileNumber(text));
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}

Fields splitFields(std::string_view line) {
    Fields fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

// Option numbers of the earliest files, renumbered to today's; -1 when there is none.
int legacyOption(int k) {
    if (k <= 9) return k;
    if (k <= 13) return k + 2;
    if (k == 14) return 17;
    if (k >= 17 && k <= 19) return k + 3;
    if (k == 20) return 16;
    if (k == 21) return 10;
    return -1;
}

int legacyColour(int k) {
    if (k >= 14 && k <= 19) return k + 3;
    return legacyOption(k);
}

class TapeReader {
  public:
    TapeReader(TapeDocument& doc, Engine& engine, SettingsPort& settings)
        : doc_(doc), engine_(engine), settings_(settings) {}

    void readLine(std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const Fields fields = splitFields(line);
        if (fileNumber(fields.front()) != 0.0)
            readDataRow(fields);
        else
            readRecord(fields);
    }

    LoadReport& report() { return report_; }
    bool sawColumns() const { return sawColumns_; }

  private:
    void readDataRow(const Fields& fields) {
        const int row = ++report_.dataRows;
        TapeTable& table = engine_.loadTable();
        const int colCount = doc_.columns.colCount();
        const int count = static_cast<int>(fields.size());
        table.setCell(row, kRegisterColumn, std::to_string(count));
        for (int col = 1; col <= colCount && col <= count; ++col)
            table.setCell(row, col, std::string(fields[static_cast<size_t>(col - 1)]));
        if (count > colCount)
            table.setCell(row, kRegisterColumn, std::string(fields[static_cast<size_t>(colCount)]));
        if (count > colCount + 1) table.setCell(row, colCount + 1, std::string(fields.back()));
    }

    void readRecord(const Fields& fields) {
        const std::string_view tag = fields.front();
        settings_.setLoading(true);
        for (size_t i = 1; i < fields.size(); ++i)
            readField(tag, static_cast<int>(i) + 1, fields[i], fields);
        settings_.setLoading(false);
    }

    void readField(std::string_view tag, int i, std::string_view v, const Fields& fields) {
        const std::string text(v);
        if (tag == "Ver") return readVersion(i, v);
        if (tag == "H") return readCaption(i, text, fields);
        if (tag == "W") return doc_.columns.setWidth(i, fileInt(v));
        if (tag == "S") return setType(i, text);
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
            if (i - 2 < 2) doc_.addinSlotIndex[static_cast<size_t>(i - 2)] = fileInt(v);
            return;
        }
        if (tag == "M") return readSlot(i - 2, v);
        if (tag == "N") return readNote(text);
        readLegacy(tag, i - 2, v);
    }

    void readVersion(int i, std::string_view v) {
        if (i == 2) {
            doc_.version = report_.version = fileInt(v);
            engine_.setRecordLayout(doc_.version >= 2 ? RecordLayout::withRawEntry
                                                      : RecordLayout::withoutRawEntry);
        } else if (i >= 3 && i <= 6) {
            settings_.setGroupField(i - 3, -1, v);
        } else if (i == 7) {
            doc_.savedRow = fileInt(v);
        } else if (i == 8) {
            doc_.savedColumn = fileInt(v);
        }
    }

    void readCaption(int i, const std::string& text, const Fields& fields) {
        if (i == 2) {
            doc_.columns.reset(static_cast<int>(fields.size()));
            doc_.lineNumberWidth = 3;
            sawColumns_ = true;
        }
        doc_.columns.column(i).caption = text;
    }

    void setType(int col, const std::string& text) {
        doc_.columns.setColType(col, text);
        doc_.columns.applyToEngine();
    }

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
                doc_.printRangeChoice = fileInt(v);
                break;
            case 9:
                doc_.fromRow = fileInt(v);
                break;
            case 10:
                doc_.toRow = fileInt(v);
                break;
            case 11:
                doc_.lineNumberWidth = fileInt(v);
                break;
            case 12:
                doc_.proportional = fileInt(v);
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
        ReferenceRegistry::Slot& slot = engine_.references().slot(box);
        slot.shown = std::string(v.substr(0, colon));
        slot.linkCount = colon == std::string_view::npos ? 0 : fileInt(v.substr(colon + 1));
        if (slot.linkCount < ReferenceRegistry::kFree) slot.linkCount = ReferenceRegistry::kFree;
    }

    // Notes come one line per record; an empty first line is kept too.
    void readNote(const std::string& text) {
        if (notesRead_++ > 0) doc_.notes += "\r\n";
        doc_.notes += text;
    }

    void readLegacy(std::string_view tag, int k, std::string_view v) {
        if (tag == "L") {
            settings_.setMessengerParameter(k >= 10 ? k + 1 : k, v);
        } else if (tag == "O") {
            if (k == 15 || k == 16)
                settings_.setNumberFormatInteger(k - 12, fileInt(v));
            else if (legacyOption(k) >= 0)
                settings_.setOption(legacyOption(k), fileInt(v));
        } else if (tag == "B") {
            if (legacyColour(k) >= 0)
                settings_.setColour(legacyColour(k),
                                    static_cast<long long>(fileNumber(v) - kLegacyColourOffset));
        } else if (tag == "P") {
            settings_.setLayoutFlag(k, fileInt(v));
        } else if (tag == "X") {
            settings_.setLayoutText(k, v);
        }
    }

    TapeDocument& doc_;
    Engine& engine_;
    SettingsPort& settings_;
    LoadReport report_;
    bool sawColumns_ = false;
    int notesRead_ = 0;
};

void resetForLoad(TapeDocument& doc, Engine& engine, SettingsPort& settings) {
    doc.notes.clear();
    engine.beginLoad();
    doc.currentColumn = 2;
    doc.version = 0;
    doc.savedRow = doc.savedColumn = 0;
    doc.fromRow = 1;
    doc.toRow = 2;
    doc.printRangeChoice = 0;
    engine.setGroupMode(0);
    settings.setLoading(true);
    settings.setOption(kTapeOnOption, 0);
    for (int group = 0; group < settings_group::kCount; ++group)
        settings.setGroupField(group, -1, "0");
    settings.setLoading(false);
    ColumnRoles none{0, 0, 0, 0, 0, 0};
    engine.setRoles(none);
}

// The display shows the last line, or an empty tape starts with a clear line; the cursor goes
// back where the file was saved, or to the open row of a tape that starts here.
void placeCursor(TapeDocument& doc, Engine& engine, int dataRows) {
    engine.setLCDColor();
    if (engine.tapeOn()) {
        if (ColumnRoles::present(engine.roles().amount)) doc.currentColumn = engine.roles().amount;
        if (dataRows > 1) {
            engine.getRegs(engine.lastRow());
            engine.updateLCD();
        } else {
            // An empty tape starts cleared; the clear key's line is not written, so a new
            // tape is one empty row until the user keys.
            engine.selectRow(engine.lastRow());
            engine.resetRegs();
            engine.clearEntry();
            engine.updateLCD();
            return;
        }
    }
    if (doc.savedRow <= 0) return;
    int row = doc.savedRow;
    if (row > engine.lastRow() - engine.hiddenRows()) row = engine.lastRow();
    row = std::max(row, engine.hiddenRows() + 1);
    engine.selectRow(row);
}

}  // namespace

LoadReport loadTapeText(std::string_view text, TapeDocument& document, Engine& engine,
                        SettingsPort& settings) {
    resetForLoad(document, engine, settings);
    TapeReader reader(document, engine, settings);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        reader.readLine(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    LoadReport& report = reader.report();
    if (text.find('\0') != std::string_view::npos)
        report.problems.push_back("the file holds binary data, not a tape");
    if (!reader.sawColumns()) report.problems.push_back("the file has no column record (\"H\")");
    document.columns.applyToEngine();
    engine.finishLoad(report.dataRows);
    placeCursor(document, engine, report.dataRows);
    return report;
}

}  // namespace talvex
