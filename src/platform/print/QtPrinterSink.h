// The print engine's lines on a printer of the system or in a PDF file, each character in its
// column, with the page breaks of the physical paper.
#pragma once

#include <QFont>

#include <memory>
#include <string>
#include <vector>

#include "platform/print/PrintPage.h"
#include "printing/PrintSink.h"
#include "printing/PrinterPort.h"

class QPrinter;
class QWidget;

namespace talvex {

// The paper the layout names, in inches; a height of 0 is continuous paper, which breaks
// where the printer's own page ends.
struct PaperSize {
    double width = 0;
    double height = 0;
};

class QtPrinterSink : public PrintSink {
  public:
    // previewParent: the window the print preview belongs to (only with target.preview).
    QtPrinterSink(const PrinterTarget& target, PaperSize paper, QWidget* previewParent = nullptr);
    ~QtPrinterSink() override;

    bool open() override;
    void putText(std::string_view text) override;
    void endLine() override;
    void setAttribute(int attribute, bool on) override;
    void moveToColumn(double column) override;
    void setFixedPitch(bool on) override;
    void close() override;
    std::string error() const override { return error_; }
    bool failed() const override { return painter_ && painter_->failed(); }

    // Lines that fit on one sheet.
    int linesPerPage() const { return linesPerPage_; }
    // Pages printed (or shown in the preview) by the last run.
    int pageCount() const { return pageCount_; }

  private:
    void configurePrinter();
    void showPreview();

    PrinterTarget target_;
    PaperSize paper_;
    QWidget* previewParent_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<RunPainter> painter_;
    // The preview paints its pages whenever it is asked to, so it keeps every run.
    std::vector<PlacedText> kept_;
    PlacedText current_;
    int linesPerPage_ = 0;
    int pageCount_ = 0;
    bool opened_ = false;
    // The fixed-pitch font was asked for, from the amount to the line's end.
    bool fixedByEngine_ = false;
    std::string error_;
};

}  // namespace talvex
