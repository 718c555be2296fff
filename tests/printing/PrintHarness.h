// A tape keyed or loaded, its columns and page layout, printed as text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "RecordingView.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "printing/PageLayout.h"
#include "printing/PrintEngine.h"

namespace talvex::testing {

// The default template's columns: 2 No., 3 Date, 4 Description, 5 Amount, 6 Op, 7 Ref.
inline constexpr int kDescription = 4;
inline constexpr int kAmount = 5;
inline constexpr int kOp = 6;

class Printout {
  public:
    Printout() {
        document.columns.setDefaults();
        engine.setProgress(progress);
        engine.newTape();
        job.toRow = 1 << 20;
        job.charsPerInch = 10;
        job.linesPerInch = 6;
    }

    Printout& keys(std::string_view keys) {
        for (char c : keys) c == '\n' ? engine.pressEnter() : engine.keyChar(c);
        return *this;
    }
    // Rows of cells from column 2 on, loaded as a file would bring them.
    void load(const std::vector<std::vector<std::string>>& rows) {
        LoadedTape tape;
        tape.roles = engine.layout().roles;
        tape.colCount = document.columns.colCount();
        tape.rows = static_cast<int>(rows.size());
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                tape.table.setCell(static_cast<int>(r) + 1, static_cast<int>(c) + 2, rows[r][c]);
        engine.load(std::move(tape));
    }
    // Only these columns print, at these widths.
    void printColumns(std::initializer_list<std::pair<int, int>> widths) {
        for (int col = 1; col <= document.columns.colCount(); ++col)
            document.columns.column(col).printWidth = 0;
        for (const auto& [col, width] : widths) document.columns.column(col).printWidth = width;
    }
    void switchOn(std::initializer_list<int> flags) {
        for (int flag : flags) layout.setFlag(flag, 1);
    }
    // A spacing or margin: its switch on and its text.
    void spacing(int index, std::string_view text) {
        layout.setFlag(index, 1);
        layout.setText(index, text);
    }

    PrintOutcome print(PrintSink& sink) {
        return PrintEngine(engine, document, layout).print(job, sink, progress);
    }
    // The printed lines without their trailing blanks.
    std::vector<std::string> lines() {
        TextSink sink;
        print(sink);
        std::vector<std::string> result;
        std::string_view text = sink.text();
        while (!text.empty()) {
            const size_t end = text.find('\n');
            std::string line(text.substr(0, end));
            line.erase(line.find_last_not_of(' ') + 1);
            result.push_back(line);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        return result;
    }

    RecordingView view;
    AddinPort addins;
    ProgressPort progress;
    Engine engine{view, addins};
    TapeDocument document{engine};
    PageLayout layout;
    PrintJob job;
};

// An amount right in 14 characters and its operator code after a blank.
inline std::string amountLine(std::string_view amount, std::string_view op) {
    std::string line =
        std::string(14 - amount.size(), ' ') + std::string(amount) + " " + std::string(op);
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

}  // namespace talvex::testing
