// The printers talvex-tape offers: plain text on a stream. A PDF file or a serial port join
// here as further targets of the same port.
#pragma once

#include <memory>
#include <ostream>

#include "printing/PrinterPort.h"

namespace talvex {

// Each printed page goes to the stream as text when the print closes.
class StreamTextSink : public TextSink {
  public:
    explicit StreamTextSink(std::ostream& out) : out_(out) {}
    void close() override { out_ << text() << std::flush; }

  private:
    std::ostream& out_;
};

class ToolPrinter : public PrinterPort {
  public:
    // Where text prints go; without one there is no printer.
    void setTextOutput(std::ostream* out) { out_ = out; }
    std::unique_ptr<PrintSink> printerSink(const PrinterTarget&) override {
        if (!out_) return nullptr;
        return std::make_unique<StreamTextSink>(*out_);
    }

  private:
    std::ostream* out_ = nullptr;
};

}  // namespace talvex
