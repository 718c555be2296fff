// The print commands of one running program: which printer a print goes to, the measures of
// its font or density, the label printer's buttons, and the printers' fonts, kept in
// "Talvex.ini" ("Printer" and "VantPrint" sections, key "Font"; the main printer's name
// under "Printer", key "MainPrinter").
#pragma once

#include <memory>
#include <optional>

#include "printing/LabelPrinter.h"
#include "printing/PageLayout.h"
#include "printing/PrinterPort.h"
#include "session/PrintCommands.h"

namespace talvex {

class ConfigStore;
class Engine;
class ProgressPort;
class ViewPort;
struct TapeDocument;

struct PrintingParts {
    Engine& engine;
    TapeDocument& document;
    PageLayout& layout;
    ConfigStore& config;
    LabelPrinter& labelPrinter;
    PrinterPort& printer;
    ViewPort& view;
    ProgressPort& progress;
};

class SessionPrinting : public PrintCommands, public LabelPrinterHost {
  public:
    explicit SessionPrinting(PrintingParts parts);
    SessionPrinting(const SessionPrinting&) = delete;
    SessionPrinting& operator=(const SessionPrinting&) = delete;

    // PrintCommands.
    PrintOutcome print(PrintRoute route, PrintRange range, bool preview = false) override;
    void switchPrinters() override;
    bool labelPrinterSelected() const override;
    bool labelPrinterAvailable() const override;
    void printerSetup() override;
    void pageLayout() override;
    PrintFont printFont() const override;
    void setPrintFont(const PrintFont& font) override;
    std::string labelSizeText() const override;

    // LabelPrinterHost: the label printer's own buttons.
    void printRows(int fromRow, int toRow) override { run(fromRow, toRow, false); }
    void feed() override;
    bool setup() override;

    // Prints rows fromRow..toRow (counted from the first visible line) on the output the
    // label printer's state chooses; the outcome is also reported in the status line.
    PrintOutcome run(int fromRow, int toRow, bool preview);

  private:
    struct Output {
        PrintJob job;
        std::unique_ptr<SerialLink> link;
        std::unique_ptr<PrintSink> sink;
    };
    std::optional<Output> prepare(int fromRow, int toRow, bool preview);
    std::optional<Output> prepareSerial(Output output);
    std::optional<Output> preparePrinter(Output output, bool preview);
    PrintOutcome report(PrintOutcome outcome, const PrintSink& sink);
    PrintFont fontOf(bool labelPrinter) const;
    std::string printerName(bool labelPrinter) const;

    PrintingParts p_;
};

}  // namespace talvex
