#include "app/Session.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>

#include "platform/MainWindow.h"

namespace talvex {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr const char* kNotValidTape = "is not a valid tape";

int twips(int pixels, double dpi) {
    return static_cast<int>(pixels * kTwipsPerInch / dpi);
}
int pixels(int twips, double dpi) {
    return static_cast<int>(twips * dpi / kTwipsPerInch);
}

}  // namespace

Session::Session(ConfigStore config, char decSep, DialogsPort* dialogs)
    : engine_(view_, addins_, NumberSymbols::forDecSep(decSep)),
      config_(std::move(config)),
      settings_(engine_, options_, config_),
      dialogs_(dialogs ? *dialogs : qtDialogs_),
      documents_(document_, engine_, settings_, dialogs_, config_.workingFolder()),
      columns_(document_, engine_, dialogs_, config_.maxCols()) {
    engine_.setClipboard(clipboard_);
    engine_.setMaxRows(config_.maxRows());
    document_.columns.setDefaults();
}

Session::~Session() {
    view_.setTarget(nullptr);
}

bool Session::acceptableTapeName(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".kwt" || tail == ".kwd" || tail == ".kwb";
}

void Session::loadMainWindow(const std::string& startFile) {
    settings_.loadBars();
    window_ = std::make_unique<MainWindow>(WindowCore{engine_, document_, options_, config_,
                                                      settings_, documents_, columns_, dialogs_});
    qtDialogs_.setParent(window_.get());
    view_.setTarget(window_.get());
    QObject::connect(window_.get(), &MainWindow::hiddenToTray, [this] {
        closedToTray_ = true;
        saveWindowSettings();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInch();
        const QRect area = screen->availableGeometry();
        const WindowGeometry g =
            config_.mainWindow(twips(area.height(), dpi), twips(area.width(), dpi));
        // The stored size, but never smaller than the tape and keypad need side by side.
        const QSize least = window_->sizeHint().expandedTo(QSize(1000, 640));
        const int width = std::max(pixels(g.width, dpi), std::min(least.width(), area.width()));
        const int height = std::max(pixels(g.height, dpi), std::min(least.height(), area.height()));
        // On screen even when the stored place is not (another monitor, a smaller screen).
        const int left = std::max(area.left(), std::min(pixels(g.left, dpi), area.right() - width));
        const int top = std::max(area.top(), std::min(pixels(g.top, dpi), area.bottom() - height));
        window_->setGeometry(left, top, width, height);
    }
    documents_.newGrid(Documents::kDefaultTemplate);
    if (!startFile.empty()) {
        if (acceptableTapeName(startFile))
            documents_.openGrid(startFile);
        else
            window_->showStatus(startFile + " " + kNotValidTape, false);
    }
    if (config_.vantCalc()) settings_.setCompact(true);
    window_->documentChanged();
}

void Session::restoreMainWindow() {
    if (!window_) return;
    if (closedToTray_) {
        closedToTray_ = false;
        if (documents_.newGrid(Documents::kDefaultTemplate)) window_->documentChanged();
    }
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
    window_->focusTape();
}

void Session::saveWindowSettings() {
    if (!window_) return;
    if (!settings_.compact() && !window_->isMinimized() && !window_->isMaximized()) {
        if (const QScreen* screen = window_->screen()) {
            const double dpi = screen->logicalDotsPerInch();
            const QRect r = window_->geometry();
            config_.writeMainWindow(WindowGeometry{twips(r.height(), dpi), twips(r.width(), dpi),
                                                   twips(r.top(), dpi), twips(r.left(), dpi)});
        }
    }
    settings_.saveBars();
    config_.writeVantCalc(settings_.compact());
}

}  // namespace talvex
