#include "platform/print/QtPrinterSink.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>

namespace talvex {

namespace {

constexpr const char* kNoPrinter = "No printer is installed.";
constexpr const char* kCannotWrite = "The file cannot be written: ";
constexpr const char* kCannotPrint = "The printer cannot be opened: ";
constexpr const char* kPreviewTitle = "Print Preview";

QString fromBytes(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QFont printFont(const PrintFont& font) {
    QFont result(fromBytes(font.name));
    result.setPointSizeF(font.size > 0 ? font.size : 10);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

}  // namespace

QtPrinterSink::QtPrinterSink(const PrinterTarget& target, PaperSize paper, QWidget* previewParent)
    : target_(target), paper_(paper), previewParent_(previewParent) {}

QtPrinterSink::~QtPrinterSink() {
    if (opened_) close();
}

bool QtPrinterSink::open() {
    error_.clear();
    kept_.clear();
    current_ = PlacedText{};
    pageCount_ = 0;
    const bool pdf = !target_.pdfPath.empty();
    if (!pdf && !target_.preview && QPrinterInfo::availablePrinters().isEmpty()) {
        error_ = kNoPrinter;
        return false;
    }
    const QPrinterInfo named = QPrinterInfo::printerInfo(fromBytes(target_.printer));
    printer_ = named.isNull() || pdf ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                     : std::make_unique<QPrinter>(named, QPrinter::HighResolution);
    if (pdf) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(fromBytes(target_.pdfPath));
    }
    configurePrinter();
    painter_ = std::make_unique<RunPainter>(printFont(target_.font), target_.charsPerInch,
                                            target_.linesPerInch);
    if (!target_.preview && !painter_->begin(printer_.get())) {
        error_ = (pdf ? kCannotWrite : kCannotPrint) +
                 (pdf ? target_.pdfPath : printer_->printerName().toStdString());
        painter_.reset();
        return false;
    }
    opened_ = true;
    return true;
}

// A paper of known height is the page itself: the layout's margins are the only margins, and
// the sheet holds exactly the lines the print engine counts for it.
void QtPrinterSink::configurePrinter() {
    const double lpi = target_.linesPerInch > 0 ? target_.linesPerInch : 6;
    if (paper_.height > 0 && paper_.width > 0) {
        printer_->setPageSize(QPageSize(QSizeF(paper_.width, paper_.height), QPageSize::Inch,
                                        QString(), QPageSize::ExactMatch));
        printer_->setPageOrientation(QPageLayout::Portrait);
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
        linesPerPage_ = static_cast<int>(std::floor(paper_.height * lpi + 1e-6));
    } else {
        const double printable = printer_->pageLayout().paintRect(QPageLayout::Inch).height();
        linesPerPage_ = static_cast<int>(std::floor(printable * lpi + 1e-6));
    }
    linesPerPage_ = std::max(linesPerPage_, 1);
}

void QtPrinterSink::putText(std::string_view text) {
    if (!opened_ || text.empty()) return;
    PlacedText run = current_;
    run.text = fromBytes(text);
    current_.column += run.text.size();
    pageCount_ = std::max(pageCount_, run.page + 1);
    if (target_.preview)
        kept_.push_back(std::move(run));
    else
        painter_->paint(run);
}

void QtPrinterSink::endLine() {
    current_.column = 0;
    current_.fixedPitch = true;
    fixedByEngine_ = false;
    if (++current_.line < linesPerPage_) return;
    current_.line = 0;
    ++current_.page;
}

void QtPrinterSink::setAttribute(int attribute, bool on) {
    if (attribute < 0 || attribute > print_attribute::kStrikethrough) return;
    const unsigned bit = 1U << attribute;
    current_.attributes = on ? current_.attributes | bit : current_.attributes & ~bit;
}

// Only a print with proportional corrections places its cells: those before the amount are in
// the chosen font as it is; every other text keeps to the fixed pitch, so figures line up.
void QtPrinterSink::moveToColumn(double column) {
    current_.column = std::max(0.0, column);
    if (!fixedByEngine_) current_.fixedPitch = false;
}

void QtPrinterSink::setFixedPitch(bool on) {
    fixedByEngine_ = on;
    current_.fixedPitch = true;
}

void QtPrinterSink::close() {
    if (!opened_) return;
    opened_ = false;
    if (target_.preview)
        showPreview();
    else
        painter_->end();
    painter_.reset();
}

// The preview opens once the print run has ended, so no progress of the run stays over it;
// it paints the kept pages on its own device each time it needs them, and its print button
// sends them to the printer the user picks there.
void QtPrinterSink::showPreview() {
    struct Pages {
        std::unique_ptr<QPrinter> printer;
        std::vector<PlacedText> runs;
        PrinterTarget target;
    };
    auto pages = std::make_shared<Pages>(Pages{std::move(printer_), std::move(kept_), target_});
    QPointer<QWidget> parent = previewParent_;
    QTimer::singleShot(0, [pages, parent] {
        QPrintPreviewDialog preview(pages->printer.get(), parent);
        preview.setWindowTitle(QString::fromLatin1(kPreviewTitle));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&pages](QPrinter* device) {
                             const PrinterTarget& t = pages->target;
                             RunPainter painter(printFont(t.font), t.charsPerInch, t.linesPerInch);
                             if (!painter.begin(device)) return;
                             for (const PlacedText& run : pages->runs) painter.paint(run);
                             painter.end();
                         });
        preview.exec();
    });
}

}  // namespace talvex
