// The compact configuration: a calculator with its tape in a small window, with its own
// calculator and tape settings, bars and "AlwaysOnTop". The normal window's place and size are
// kept while it is in force and given back on the way out, whichever way the user switched.
#include <QStatusBar>
#include <QToolBar>

#include "documents/SettingsPort.h"
#include "platform/Keypad.h"
#include "platform/MainWindow.h"
#include "session/TapeCommands.h"
#include "session/TapeSession.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

// Small, but with room for the keypad beside a tape whose amounts stay in view.
const QSize kLeastCompactSize(720, 460);

}  // namespace

void MainWindow::setCompactConfiguration(bool compact) {
    switchConfiguration(core_.settings, compact);
    documentChanged();
}

// Brings the window in line with the configuration the settings are in now.
void MainWindow::applyConfiguration() {
    const bool compact = core_.settings.compact();
    keypad_->setCompact(compact);
    applyBars();
    applyAlwaysOnTop();
    if (compact == compactShown_) return;
    compactShown_ = compact;
    if (compact) {
        normalGeometry_ = isVisible() ? normalGeometry() : geometry();
        resize(minimumSizeHint().expandedTo(kLeastCompactSize));
    } else if (normalGeometry_.isValid()) {
        setGeometry(normalGeometry_);
    }
}

void MainWindow::applyBars() {
    if (auto* bar = findChild<QToolBar*>("Toolbar")) bar->setVisible(core_.settings.bar(0));
    statusBar()->setVisible(core_.settings.bar(1));
}

// Changing the flag re-creates the native window, which hides it: show it again, unmoved.
void MainWindow::applyAlwaysOnTop() {
    const bool onTop = core_.settings.alwaysOnTop();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) show();
}

}  // namespace talvex
