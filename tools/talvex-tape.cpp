#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "TapeTool.h"

#if TALVEX_TOOL_QT
#include <QApplication>

#include "platform/print/QtPrinterSink.h"
#if TALVEX_HAS_SERIAL
#include "platform/serial/QtModemLine.h"
#include "platform/serial/QtSerialLink.h"
#endif
#endif

namespace {

#if TALVEX_TOOL_QT

// Qt's printing needs an application object; the tool makes one only for a PDF, and one that
// needs no display. It ends with main, before Qt's own statics do.
void ensureQtApplication(std::unique_ptr<QApplication>& app) {
    static int argc = 1;
    static char name[] = "talvex-tape";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
}

talvex::ToolDevices qtDevices(std::unique_ptr<QApplication>& app) {
    talvex::ToolDevices devices;
    devices.pdf = [&app](const talvex::PrinterTarget& target, talvex::PaperInches paper) {
        ensureQtApplication(app);
        return std::make_unique<talvex::QtPrinterSink>(
            target, talvex::PaperSize{paper.width, paper.height});
    };
#if TALVEX_HAS_SERIAL
    devices.serial = [&app] {
        ensureQtApplication(app);
        return std::make_unique<talvex::QtSerialLink>();
    };
    devices.modem = [&app] {
        ensureQtApplication(app);
        return std::make_unique<talvex::QtModemLine>();
    };
#endif
    return devices;
}
#else
struct QApplication {};
talvex::ToolDevices qtDevices(std::unique_ptr<QApplication>&) {
    return {};
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::unique_ptr<QApplication> app;
    return talvex::runTapeTool(args, std::cin, std::cout, std::cerr,
                               talvex::localeDecimalSeparator(), qtDevices(app));
}
