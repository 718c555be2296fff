// The machine's printers for the print commands: the printers Qt knows, a printer or PDF file
// to print on (with a preview first when asked), the label printer's serial port, and the
// setup dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <string>

#include "platform/print/QtPrinterSink.h"
#include "printing/PrinterPort.h"

namespace talvex {

class QtPrinterPort : public PrinterPort {
  public:
    // The window the dialogs belong to.
    void setParent(QWidget* parent) { parent_ = parent; }
    // The page layout's paper in inches, read at each print with its measures.
    using PaperOf = std::function<PaperSize(double charsPerInch, double linesPerInch)>;
    void setPaper(PaperOf paper) { paper_ = std::move(paper); }
    // Opens the "Page Layout" dialog.
    void setLayoutDialog(std::function<void()> open) { openLayout_ = std::move(open); }
    // COM1 to COM4 as this machine maps them: the device a port stands for when it is not the
    // usual one (empty otherwise), and a device typed in the label printer's setup for a port.
    using PortDevice = std::function<std::string(int port)>;
    using MapPort = std::function<bool(int port, const std::string& device)>;
    void setPortDevices(PortDevice device, MapPort map) {
        portDevice_ = std::move(device);
        mapPort_ = std::move(map);
    }
    // Prints go into this PDF file instead of a printer (empty: to the printer again); the
    // printer setup's "print to file" chooses it.
    void setPdfOutput(const std::string& path) { pdfOutput_ = path; }
    const std::string& pdfOutput() const { return pdfOutput_; }

    std::vector<std::string> installedPrinters() const override;
    std::string currentPrinter() const override;
    std::unique_ptr<PrintSink> printerSink(const PrinterTarget& target) override;
    std::unique_ptr<SerialLink> serialLink() override;
    bool labelPrinterSetup(LabelPrinterSetup& setup) override;
    bool printerSetup(std::string& printer) override;
    void pageLayoutDialog() override;

  private:
    QPointer<QWidget> parent_;
    PaperOf paper_;
    std::function<void()> openLayout_;
    PortDevice portDevice_;
    MapPort mapPort_;
    std::string pdfOutput_;
    mutable std::vector<std::string> printers_;
    mutable std::chrono::steady_clock::time_point printersAsked_;
    mutable bool printersKnown_ = false;
};

}  // namespace talvex
