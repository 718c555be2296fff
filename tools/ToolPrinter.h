// The printers talvex-tape offers: plain text on a stream, and, where the program that runs the
// tool supplies them, a PDF file and a serial port.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "devices/ModemLine.h"
#include "printing/PrinterPort.h"

namespace talvex {

// What the command line can print on beyond text. The Qt back ends live above the core, so the
// program's main hands them in; tests hand in fakes or nothing.
// The paper of a print in inches; a height of 0 is continuous paper.
struct PaperInches {
    double width = 0;
    double height = 0;
};

struct ToolDevices {
    std::function<std::unique_ptr<PrintSink>(const PrinterTarget&, PaperInches)> pdf;
    std::function<std::unique_ptr<SerialLink>()> serial;
    // The modem's two-way line for the phone add-in.
    std::function<std::unique_ptr<ModemLine>()> modem;
};

// A modem line that opens the device the command line named, whatever COM port the add-in
// has chosen.
class NamedModemLine : public ModemLine {
  public:
    NamedModemLine(std::unique_ptr<ModemLine> line, std::string device)
        : line_(std::move(line)), device_(std::move(device)) {}
    bool open(const std::string&) override { return line_->open(device_); }
    void clearInput() override { line_->clearInput(); }
    bool write(std::string_view bytes) override { return line_->write(bytes); }
    ReplyWait awaitReply(int timeoutMs) override { return line_->awaitReply(timeoutMs); }
    bool close() override { return line_->close(); }
    std::string error() const override { return line_->error(); }

  private:
    std::unique_ptr<ModemLine> line_;
    std::string device_;
};

// Each printed page goes to the stream as text when the print closes.
class StreamTextSink : public TextSink {
  public:
    explicit StreamTextSink(std::ostream& out) : out_(out) {}
    void close() override { out_ << text() << std::flush; }

  private:
    std::ostream& out_;
};

// A serial link that opens the device the command line named, whatever port the label
// printer's settings point at.
class NamedDeviceLink : public SerialLink {
  public:
    NamedDeviceLink(std::unique_ptr<SerialLink> link, std::string device)
        : link_(std::move(link)), device_(std::move(device)) {}
    bool open(const std::string&) override { return link_->open(device_); }
    bool write(std::string_view bytes) override { return link_->write(bytes); }
    void close() override { link_->close(); }
    std::string error() const override { return link_->error(); }

  private:
    std::unique_ptr<SerialLink> link_;
    std::string device_;
};

class ToolPrinter : public PrinterPort {
  public:
    void setDevices(ToolDevices devices) { devices_ = std::move(devices); }
    // Where text prints go.
    void setTextOutput(std::ostream* out) { out_ = out; }
    // Prints go into this PDF file instead of the text output.
    void setPdfOutput(std::string path) { pdfPath_ = std::move(path); }
    void setSerialDevice(std::string device) { serialDevice_ = std::move(device); }
    // The layout's paper for a print's characters and lines per inch.
    void setPaperOf(std::function<PaperInches(double, double)> paperOf) {
        paperOf_ = std::move(paperOf);
    }

    std::unique_ptr<PrintSink> printerSink(const PrinterTarget& target) override {
        if (!pdfPath_.empty()) {
            if (!devices_.pdf) return nullptr;
            PrinterTarget toFile = target;
            toFile.pdfPath = pdfPath_;
            const PaperInches paper =
                paperOf_ ? paperOf_(target.charsPerInch, target.linesPerInch) : PaperInches{};
            return devices_.pdf(toFile, paper);
        }
        if (!out_) return nullptr;
        return std::make_unique<StreamTextSink>(*out_);
    }
    std::unique_ptr<SerialLink> serialLink() override {
        if (!devices_.serial || serialDevice_.empty()) return nullptr;
        return std::make_unique<NamedDeviceLink>(devices_.serial(), serialDevice_);
    }

  private:
    ToolDevices devices_;
    std::function<PaperInches(double, double)> paperOf_;
    std::ostream* out_ = nullptr;
    std::string pdfPath_;
    std::string serialDevice_;
};

}  // namespace talvex
