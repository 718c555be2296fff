#include "documents/TapeWriter.h"

#include <initializer_list>

#include "documents/DataRow.h"
#include "documents/FileIo.h"
#include "documents/LogoScrambler.h"
#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFit = "Fit";

// Every field goes through appendField, so no text can split a field or a line.
class RecordWriter {
  public:
    void record(std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& field : fields) {
            if (!first) text_ += '\t';
            appendField(text_, field);
            first = false;
        }
        text_ += kLineEnd;
    }
    // A record of the tag and one field per column 2..colCount.
    template <typename Field>
    void columnRecord(const char* tag, const ColumnSet& columns, Field field) {
        text_ += tag;
        for (int col = ColumnSet::kFirstColumn; col <= columns.colCount(); ++col) {
            text_ += '\t';
            appendField(text_, field(col));
        }
        text_ += kLineEnd;
    }
    // A notes line is the rest of its record, so the TABs in it stay as they are.
    void note(std::string_view line) {
        text_ += "N\t";
        for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
            appendField(text_, line.substr(0, tab));
            text_ += '\t';
            line.remove_prefix(tab + 1);
        }
        appendField(text_, line);
        text_ += kLineEnd;
    }
    void line(const std::string& text) {
        text_ += text;
        text_ += kLineEnd;
    }
    std::string& text() { return text_; }

  private:
    std::string text_;
};

std::string boolText(bool value) {
    return value ? "True" : "False";
}

bool flagOn(const SettingsPort& settings, int group) {
    const std::string flag = settings.groupField(group, -1);
    return !flag.empty() && flag != "0";
}

void writeHeader(RecordWriter& out, const TapeDocument& doc, const Engine& engine,
                 const SettingsPort& settings) {
    out.record({"Ver", "2", settings.groupField(0, -1), settings.groupField(1, -1),
                settings.groupField(2, -1), settings.groupField(3, -1),
                std::to_string(engine.state().curRow), std::to_string(doc.currentColumn)});
    const ColumnSet& columns = doc.columns;
    out.columnRecord("H", columns, [&](int col) { return columns.column(col).caption; });
    out.columnRecord("W", columns, [&](int col) { return std::to_string(columns.width(col)); });
    out.columnRecord("S", columns, [&](int col) { return columns.column(col).typeCode; });
    out.columnRecord("V", columns, [&](int col) { return boolText(columns.column(col).visible); });
    const TapeFont& font = doc.font;
    const std::string slot3 = font.sizes[2] + (font.labelPrinterSize == kFit ? ":Fit" : "");
    out.record({"F", font.name, font.sizes[0], boolText(font.bold), boolText(font.italic),
                font.sizes[1], slot3, std::to_string(doc.printRangeChoice),
                std::to_string(doc.fromRow), std::to_string(doc.toRow),
                std::to_string(doc.lineNumberWidth), std::to_string(doc.proportional)});
}

void writeGroups(RecordWriter& out, const SettingsPort& settings) {
    using namespace settings_group;
    const auto field = [&](int group, int index) { return settings.groupField(group, index); };
    if (flagOn(settings, kMessenger))
        out.record(
            {"Lgo", scrambleLogo(field(kMessenger, -1)), scrambleLogo(field(kMessenger, 0))});
    else
        out.record({"Lgo", scrambleLogo(field(kMessenger, -1))});
    if (flagOn(settings, kCalculator))
        out.record({"Clc", field(kCalculator, -1), field(kCalculator, 0), field(kCalculator, 1),
                    field(kCalculator, 2)});
    else
        out.record({"Clc", field(kCalculator, -1), field(kCalculator, 0)});
    if (flagOn(settings, kTape))
        out.record({"Tpe", field(kTape, -1), "", field(kTape, 1), field(kTape, 2)});
    else
        out.record({"Tpe", field(kTape, -1)});
    if (flagOn(settings, kPrinter))
        out.record({"Prt", field(kPrinter, -1), field(kPrinter, 0), field(kPrinter, 1)});
    else
        out.record({"Prt", field(kPrinter, -1)});
}

void writeData(RecordWriter& out, const TapeDocument& doc, const Engine& engine) {
    std::string& text = out.text();
    text += "M";
    const ReferenceRegistry& refs = engine.references();
    for (int box = 0; box < refs.boxCount(); ++box) {
        text += '\t';
        appendField(text, refs.slot(box).shown);
        text += ':';
        text += std::to_string(refs.slot(box).linkCount);
    }
    text += kLineEnd;
    // Each line of the notes pad is one record; a final line end adds no empty record.
    std::string_view notes = doc.notes;
    while (!notes.empty()) {
        const size_t end = notes.find("\r\n");
        out.note(notes.substr(0, end));
        notes = end == std::string_view::npos ? std::string_view() : notes.substr(end + 2);
    }
    const int lastRow = engine.state().lastRow;
    const int colCount = engine.layout().colCount;
    const bool tapeOn = engine.state().tapeOn;
    // One block for all the rows, no larger than they need: a block the size of the file just
    // read can be taken again, where a new one costs the system time to clear every page.
    size_t bytes = text.size();
    for (int row = 1; row <= lastRow; ++row)
        bytes += dataRowBytes(engine.table(), row, colCount, tapeOn) + kLineEnd.size();
    text.reserve(bytes);
    for (int row = 1; row <= lastRow; ++row) {
        appendDataRow(text, engine.table(), row, colCount, tapeOn);
        text += kLineEnd;
    }
}

}  // namespace

std::string tapeFileText(const TapeDocument& document, const Engine& engine,
                         const SettingsPort& settings, TapeKind kind) {
    RecordWriter out;
    writeHeader(out, document, engine, settings);
    writeGroups(out, settings);
    const std::array<int, 2> slots = settings.addinSlots().value_or(document.addinSlotIndex);
    out.record({"A", std::to_string(slots[0]), std::to_string(slots[1])});
    if (kind == TapeKind::withData) writeData(out, document, engine);
    return std::move(out.text());
}

bool saveRecords(const std::filesystem::path& path, const TapeDocument& document,
                 const Engine& engine, const SettingsPort& settings, TapeKind kind,
                 std::string& error) {
    return writeFileAtomically(path, tapeFileText(document, engine, settings, kind), error);
}

}  // namespace talvex
