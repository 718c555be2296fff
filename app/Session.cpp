#include "app/Session.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>

#include "app/RecoveryKeeper.h"
#include "platform/MainWindow.h"
#include "session/RecoveryCopies.h"
#if TALVEX_HAS_SERIAL
#include "platform/serial/QtModemLine.h"
#endif
#include "shell/Startup.h"

namespace talvex {

namespace {

constexpr int kTwipsPerInch = 1440;
// The window's geometry is its inside; the desktop puts the title bar above it and a frame
// around it.
constexpr int kTitleBarRoom = 32;
constexpr int kFrameRoom = 8;

int twips(int pixels, double dpi) {
    return static_cast<int>(pixels * kTwipsPerInch / dpi);
}
int pixels(int twips, double dpi) {
    return static_cast<int>(twips * dpi / kTwipsPerInch);
}

// The stored place and size, kept on the available screen (a smaller or HiDPI monitor, a
// monitor that is gone) with room above for the title bar, which must stay reachable.
QRect placeOnScreen(const WindowGeometry& g, double dpi, QSize hint, const QRect& area) {
    const QRect room = area.adjusted(kFrameRoom, kTitleBarRoom, -kFrameRoom, -kFrameRoom);
    // Never smaller than the tape and keypad need side by side, where the screen allows.
    const QSize least = hint.expandedTo(QSize(1000, 640));
    const int width = std::min(std::max(pixels(g.width, dpi), least.width()), room.width());
    const int height = std::min(std::max(pixels(g.height, dpi), least.height()), room.height());
    const int left = std::clamp(pixels(g.left, dpi), room.left(), room.right() + 1 - width);
    const int top = std::clamp(pixels(g.top, dpi), room.top(), room.bottom() + 1 - height);
    return QRect(left, top, width, height);
}

}  // namespace

Session::Session(ConfigStore config, char decSep, DialogsPort* dialogs)
    : core_({view_, dialogs ? *dialogs : qtDialogs_, frontEnd_, progress_, printerPort_},
            std::move(config), decSep) {
    core_.engine.setClipboard(clipboard_);
    core_.engine.setMaxRows(core_.config.maxRows());
    core_.document.columns.setDefaults();
#if TALVEX_HAS_SERIAL
    // The dialler's modem is on a serial port of this machine.
    core_.addins.dialler().setLineFactory([] { return std::make_unique<QtModemLine>(); });
#endif
}

Session::~Session() {
    view_.setOnTapeChanged(nullptr);
    view_.setTarget(nullptr);
    frontEnd_.setTarget(nullptr);
    progress_.setTarget(nullptr);
}

void Session::loadMainWindow(const std::string& startFile) {
    core_.settings.loadBars();
    window_ = std::make_unique<MainWindow>(core_);
    qtDialogs_.setParent(window_.get());
    view_.setTarget(window_.get());
    frontEnd_.setTarget(window_.get());
    progress_.setTarget(&window_->progress());
    connectPrinting();
    QObject::connect(window_.get(), &MainWindow::hiddenToTray, [this] {
        closedToTray_ = true;
        saveWindowSettings();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInch();
        const QRect area = screen->availableGeometry();
        const WindowGeometry g =
            core_.config.mainWindow(twips(area.height(), dpi), twips(area.width(), dpi));
        window_->setGeometry(placeOnScreen(g, dpi, window_->sizeHint(), area));
    }
    core_.documents.newGrid(Documents::kDefaultTemplate);
    if (!startFile.empty()) {
        if (isTapeFileName(startFile))
            core_.documents.openGrid(startFile);
        else
            window_->showStatus(notATapeStatus(startFile), false);
    }
    // The compact configuration reads its own section: settings, bars and "AlwaysOnTop".
    if (core_.config.vantCalc())
        window_->setCompactConfiguration(true);
    else
        window_->documentChanged();
}

void Session::connectPrinting() {
    printerPort_.setParent(window_.get());
    printerPort_.setLayoutDialog([this] { window_->openPageLayout(); });
    printerPort_.setPaper([this](double charsPerInch, double linesPerInch) {
        const auto [width, height] = core_.layout.paperInches(charsPerInch, linesPerInch);
        return PaperSize{width, height};
    });
    // A COM port the "Ports" section maps elsewhere shows its device; a typed one is kept there.
    printerPort_.setPortDevices(
        [this](int port) {
            const std::string device = core_.config.serialPortPath("COM" + std::to_string(port));
            const std::string usual = "/dev/ttyS" + std::to_string(port - 1);
            return device == usual ? std::string() : device;
        },
        [this](int port, const std::string& device) {
            return core_.config.putSetting(config_section::kPorts, "COM" + std::to_string(port),
                                           device);
        });
    window_->attachPrinting(core_.layout, core_.printing);
}

void Session::restoreMainWindow() {
    if (!window_) return;
    if (closedToTray_) {
        closedToTray_ = false;
        if (core_.documents.newGrid(Documents::kDefaultTemplate)) window_->documentChanged();
    }
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
    window_->focusTape();
}

void Session::keepRecoveryCopies(DialogsPort* ask) {
    const auto folder = recoveryFolder();
    if (!window_ || !folder) return;
    recovery_ = std::make_unique<RecoveryKeeper>(core_, *folder);
    if (recovery_->offerLeftCopies(ask ? *ask : qtDialogs_)) window_->documentChanged();
    view_.setOnTapeChanged([keeper = recovery_.get()] { keeper->tapeChanged(); });
}

void Session::programEnds() {
    view_.setOnTapeChanged(nullptr);
    if (recovery_) recovery_->programEnds();
}

void Session::saveWindowSettings() {
    if (!window_) return;
    if (!core_.settings.compact() && !window_->isMinimized() && !window_->isMaximized()) {
        if (const QScreen* screen = window_->screen()) {
            const double dpi = screen->logicalDotsPerInch();
            const QRect r = window_->geometry();
            core_.config.writeMainWindow(WindowGeometry{twips(r.height(), dpi),
                                                        twips(r.width(), dpi), twips(r.top(), dpi),
                                                        twips(r.left(), dpi)});
        }
    }
    core_.settings.saveBars();
    core_.config.writeVantCalc(core_.settings.compact());
}

}  // namespace talvex
