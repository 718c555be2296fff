// Turns the tape into printed lines under the page layout: the four formats, headers, footers,
// notes, dividers and attributes, page breaks counted in lines. Knows nothing of printers: it
// puts text into a PrintSink.
#pragma once

#include <string>
#include <string_view>

#include "printing/PageLayout.h"
#include "printing/PrintSink.h"

namespace talvex {

class Engine;
class ProgressPort;
struct TapeDocument;

// 0 a printer with a scalable font, 1 a printer in its own fixed font (escape codes), 2 the
// serial label printer.
enum class OutMode { printer = 0, deviceFont = 1, serial = 2 };

struct PrintJob {
    OutMode mode = OutMode::printer;
    double charsPerInch = 10;
    double linesPerInch = 6;
    bool proportional = false;
    // Counted from the first visible line; never past the last line.
    int fromRow = 1;
    int toRow = 1;
    DateTexts now;
};

// failed: the output went away during the run (a serial port unplugged); the run ended there.
enum class PrintOutcome { printed, notOpened, cancelled, failed };

class PrintEngine {
  public:
    PrintEngine(const Engine& engine, const TapeDocument& document, const PageLayout& layout);

    // One run from opening the output to closing it; progress may cancel a long one.
    PrintOutcome print(const PrintJob& job, PrintSink& sink, ProgressPort& progress);
    // A form feed as a line, between opening and closing the output.
    PrintOutcome feed(const PrintJob& job, PrintSink& sink);

    // Characters of the widest printed line: the printed columns and a blank between them.
    int lineWidth() const;

    // Fits text into width characters by the alignment code (1 left, 2 right, 3 centre).
    static std::string align(std::string_view text, int width, int code);

  private:
    const Engine& engine_;
    const TapeDocument& document_;
    const PageLayout& layout_;
};

}  // namespace talvex
