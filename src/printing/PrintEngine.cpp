#include "printing/PrintEngine.h"

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/ProgressPort.h"
#include "printing/PrintRun.h"

namespace talvex {

namespace {

constexpr std::string_view kPrinting = "Printing the tape...";
// A short print never shows progress; a long one reports every so many lines.
constexpr int kProgressInterval = 256;
constexpr char kFormFeed = 12;
constexpr char kCancel = 24;

// A device-font printer is reset by one CAN line before anything else.
bool openOutput(const PrintJob& job, PrintSink& sink) {
    if (!sink.open()) return false;
    if (job.mode == OutMode::deviceFont) {
        sink.putText(std::string(1, kCancel));
        sink.endLine();
    }
    return true;
}

}  // namespace

PrintEngine::PrintEngine(const Engine& engine, const TapeDocument& document,
                         const PageLayout& layout)
    : engine_(engine), document_(document), layout_(layout) {}

int PrintEngine::lineWidth() const {
    int width = 0;
    bool first = true;
    for (int col = kLineNumberColumn; col <= document_.columns.colCount(); ++col) {
        const int printWidth = document_.columns.column(col).printWidth;
        if (printWidth <= 0) continue;
        width += printWidth + (first ? 0 : 1);
        first = false;
    }
    return width;
}

std::string PrintEngine::align(std::string_view text, int width, int code) {
    if (width <= 0) return {};
    if (text.size() >= static_cast<size_t>(width)) return std::string(text.substr(0, width));
    const size_t pad = static_cast<size_t>(width) - text.size();
    switch (code) {
        case 1:
            return std::string(text) + std::string(pad, ' ');
        case 2:
            return std::string(pad, ' ') + std::string(text);
        case 3:
            return std::string(pad / 2, ' ') + std::string(text) + std::string(pad - pad / 2, ' ');
        default:
            return std::string(text);
    }
}

PrintOutcome PrintEngine::print(const PrintJob& job, PrintSink& sink, ProgressPort& progress) {
    if (!openOutput(job, sink)) return PrintOutcome::notOpened;
    PrintRun run(engine_, document_, layout_, job, sink);
    ProgressScope scope(progress, kPrinting);
    const int first = run.firstRow();
    const int last = run.lastRow();
    PrintOutcome outcome = PrintOutcome::printed;
    run.startPage();
    for (int row = first; row <= last && outcome == PrintOutcome::printed; ++row) {
        const int done = row - first;
        if (done > 0 && done % kProgressInterval == 0 && !scope.report(done, last - first + 1)) {
            outcome = PrintOutcome::cancelled;
            break;
        }
        const std::string& format = run.format();
        if (format == kFormatTape)
            run.printTapeLine(row);
        else if (format == kFormatFormReport)
            run.printFormRecord(row, row == last);
        else if (format == kFormatLabel)
            run.printLabel(row);
        else if (format != kFormatCheck)
            run.printTableLine(row);
        if (format == kFormatLabel && row < last) {
            run.endPage();
            run.startPage();
        }
        if (run.sinkFailed()) outcome = PrintOutcome::failed;
    }
    if (outcome == PrintOutcome::printed) run.finish();
    if (run.sinkFailed()) outcome = PrintOutcome::failed;
    sink.close();
    return outcome;
}

PrintOutcome PrintEngine::feed(const PrintJob& job, PrintSink& sink) {
    if (!openOutput(job, sink)) return PrintOutcome::notOpened;
    sink.putText(std::string(1, kFormFeed));
    sink.endLine();
    const bool failed = sink.failed();
    sink.close();
    return failed ? PrintOutcome::failed : PrintOutcome::printed;
}

}  // namespace talvex
