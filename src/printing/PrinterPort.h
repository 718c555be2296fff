// What printing needs of the machine: its printers, a printer or PDF file to print on, a serial
// port, and the two setup dialogs. The window implements it with Qt; talvex-tape with the
// parts it can offer.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "printing/PrintSink.h"
#include "printing/SerialLink.h"

namespace talvex {

// A print font as the options and the label printer choose it.
struct PrintFont {
    std::string name = "Courier New";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
};

// Where a printer print goes: a named printer (empty: the current one), or a PDF file.
struct PrinterTarget {
    std::string printer;
    std::string pdfPath;
    PrintFont font;
    double charsPerInch = 12;
    double linesPerInch = 6;
    bool preview = false;  // show the pages first; the user may print them or not
};

// The label printer's setup dialog ("VantPrinter Setup") edits these.
struct LabelPrinterSetup {
    int mode = 0;  // 0 a printer of the system, 1 direct connect on a serial port
    std::vector<std::string> printers;
    std::string printer;
    std::string model;
    int port = 1;  // COM1 to COM4
    bool showPanelOnStartup = false;
};

class PrinterPort {
  public:
    virtual ~PrinterPort() = default;
    virtual std::vector<std::string> installedPrinters() const { return {}; }
    virtual std::string currentPrinter() const { return {}; }
    // A sink that prints on the target; nullptr when there is no printer to print on.
    virtual std::unique_ptr<PrintSink> printerSink(const PrinterTarget& /*target*/) {
        return nullptr;
    }
    virtual std::unique_ptr<SerialLink> serialLink() { return nullptr; }
    // True on OK.
    virtual bool labelPrinterSetup(LabelPrinterSetup& /*setup*/) { return false; }
    // The system's printer dialog for the main printer ("Printer Setup"); true on OK.
    virtual bool printerSetup(std::string& /*printer*/) { return false; }
    // The "Page Layout" dialog; it edits the live layout.
    virtual void pageLayoutDialog() {}

    // No printers, no port, no dialogs: for a front end that offers none. It holds no state.
    static PrinterPort& none() {
        static PrinterPort nothing;
        return nothing;
    }
};

}  // namespace talvex
