// The Qt back ends of talvex-tape: the PDF file, the label printer's serial port and the modem
// line. They are a module of their own that the tool loads only when a command needs one, so
// the commands that need none start without loading Qt.
#include <QApplication>

#include <memory>

#include "ToolPrinter.h"
#include "platform/print/QtPrinterSink.h"
#if TALVEX_HAS_SERIAL
#include "platform/serial/QtModemLine.h"
#include "platform/serial/QtSerialLink.h"
#endif

namespace {

std::unique_ptr<QApplication>& application() {
    static std::unique_ptr<QApplication> app;
    return app;
}

// Qt's printing needs an application object; the tool makes one that needs no display.
void ensureQtApplication() {
    static int argc = 1;
    static char name[] = "talvex-tape";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application() = std::make_unique<QApplication>(argc, argv);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void talvexToolQtDevices(talvex::ToolDevices* devices) {
    devices->pdf = [](const talvex::PrinterTarget& target, talvex::PaperInches paper) {
        ensureQtApplication();
        return std::make_unique<talvex::QtPrinterSink>(
            target, talvex::PaperSize{paper.width, paper.height});
    };
#if TALVEX_HAS_SERIAL
    devices->serial = [] {
        ensureQtApplication();
        return std::make_unique<talvex::QtSerialLink>();
    };
    devices->modem = [] {
        ensureQtApplication();
        return std::make_unique<talvex::QtModemLine>();
    };
#endif
}

// The application object goes before the program's statics do, Qt's own among them.
__attribute__((visibility("default"))) void talvexToolQtFinish() {
    application().reset();
}
}
