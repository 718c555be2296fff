// The print commands of one running program: the toolbar's three print buttons, the options
// dialog's print range and printer buttons, the label printer's panel. They choose the output
// (main printer, label printer on a printer, or its serial port), prepare the page measures
// and run the print engine.
#pragma once

#include <string>

#include "printing/PrintEngine.h"
#include "printing/PrinterPort.h"

namespace talvex {

// Which printer a print goes to: "Print" the main printer, "Sprint" the label printer, "SPrint"
// whichever the label printer's state says.
enum class PrintRoute { mainPrinter, labelPrinter, current };

// The options dialog's print range: all lines, or the numbers in its From and To boxes.
struct PrintRange {
    bool all = true;
    int from = 1;
    int to = 1;
};

class PrintCommands {
  public:
    virtual ~PrintCommands() = default;
    // Prints the range; the outcome says whether anything was printed. A printer target's
    // preview is asked for by preview.
    virtual PrintOutcome print(PrintRoute route, PrintRange range, bool preview = false) = 0;
    // "Swi&tch Prnters": prints go to the label printer or back to the main printer.
    virtual void switchPrinters() = 0;
    virtual bool labelPrinterSelected() const = 0;
    // The label printer can print: it is connected directly, or the system has a printer.
    virtual bool labelPrinterAvailable() const = 0;
    // "Printer &Setup..": the label printer's setup while it is selected, else the system's.
    virtual void printerSetup() = 0;
    virtual void pageLayout() = 0;
    // "&Font && Size...": the font of the selected printer.
    virtual PrintFont printFont() const = 0;
    virtual void setPrintFont(const PrintFont& font) = 0;
    // The label printer's effective size as the printer page shows it ("Fit (12.)" or "10").
    virtual std::string labelSizeText() const = 0;
};

}  // namespace talvex
