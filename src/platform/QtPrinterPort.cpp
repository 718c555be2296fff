#include "platform/QtPrinterPort.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/VDevForm.h"
#if TALVEX_HAS_SERIAL
#include "platform/serial/QtSerialLink.h"
#endif

namespace talvex {

namespace {

constexpr const char* kPrinterSetupTitle = "Printer Setup";
constexpr const char* kLabelSetupTitle = "VantPrinter Setup";
constexpr const char* kPortNotStored =
    "The port's device could not be written to the configuration file.";

std::string toBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace

// The menus ask after every change to the tape, and each answer is a round trip to the print
// server: the list is asked for again once it is a few seconds old.
std::vector<std::string> QtPrinterPort::installedPrinters() const {
    constexpr auto kFresh = std::chrono::seconds(5);
    const auto now = std::chrono::steady_clock::now();
    if (printersKnown_ && now - printersAsked_ < kFresh) return printers_;
    printers_.clear();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printers_.push_back(toBytes(name));
    printersAsked_ = now;
    printersKnown_ = true;
    return printers_;
}

std::string QtPrinterPort::currentPrinter() const {
    return toBytes(QPrinterInfo::defaultPrinterName());
}

std::unique_ptr<PrintSink> QtPrinterPort::printerSink(const PrinterTarget& target) {
    PrinterTarget chosen = target;
    if (chosen.pdfPath.empty()) chosen.pdfPath = pdfOutput_;
    // A file is looked at afterwards; a preview of it would only ask where to print it again.
    if (!chosen.pdfPath.empty()) chosen.preview = false;
    const PaperSize paper = paper_ ? paper_(chosen.charsPerInch, chosen.linesPerInch) : PaperSize{};
    return std::make_unique<QtPrinterSink>(chosen, paper, parent_);
}

std::unique_ptr<SerialLink> QtPrinterPort::serialLink() {
#if TALVEX_HAS_SERIAL
    return std::make_unique<QtSerialLink>();
#else
    return nullptr;
#endif
}

// A device typed in place of a COM port becomes that port's device on this machine, so the
// label printer (and whatever else uses the port) finds it at every print.
bool QtPrinterPort::labelPrinterSetup(LabelPrinterSetup& setup) {
    VDevForm form(setup, portDevice_ ? portDevice_(setup.port) : std::string(), parent_);
    if (form.exec() != QDialog::Accepted) return false;
    setup = form.chosen();
    const std::string device = form.typedDevice();
    if (device.empty() || !mapPort_) return true;
    if (!mapPort_(setup.port, device))
        QMessageBox::warning(parent_, QString::fromLatin1(kLabelSetupTitle),
                             QString::fromLatin1(kPortNotStored));
    return true;
}

// The system's dialog: a printer, or a PDF file when the user prints to a file there.
bool QtPrinterPort::printerSetup(std::string& printer) {
    QPrinter device;
    if (!printer.empty()) device.setPrinterName(QString::fromLocal8Bit(printer.c_str()));
    if (!pdfOutput_.empty()) device.setOutputFileName(QString::fromLocal8Bit(pdfOutput_.c_str()));
    QPrintDialog dialog(&device, parent_);
    dialog.setWindowTitle(QString::fromLatin1(kPrinterSetupTitle));
    if (dialog.exec() != QDialog::Accepted) return false;
    if (device.outputFormat() == QPrinter::PdfFormat && !device.outputFileName().isEmpty()) {
        pdfOutput_ = toBytes(device.outputFileName());
    } else {
        pdfOutput_.clear();
        printer = toBytes(device.printerName());
    }
    return true;
}

void QtPrinterPort::pageLayoutDialog() {
    if (openLayout_) openLayout_();
}

}  // namespace talvex
