#include "app/WindowStart.h"

#include <QAction>
#include <QApplication>

#include "app/Session.h"
#include "platform/MainWindow.h"
#include "platform/TrayIcon.h"
#include "platform/network/SingleInstance.h"

namespace talvex {

WindowStart::WindowStart(Session& session, SingleInstance& instance, const StartupPlan& plan,
                         QObject* parent)
    : QObject(parent), session_(session), plan_(plan) {
    MainWindow& window = session.window();
    if (!plan.statusText.empty()) window.showStatus(plan.statusText, false);
    window.setClosing(!plan.waitsInTray);
    // Only a start without a document listens, so a document start never hears this.
    connect(&instance, &SingleInstance::restoreRequested, this,
            [this] { session_.restoreMainWindow(); });
    if (plan.waitsInTray) keepInTray();
}

WindowStart::~WindowStart() = default;

void WindowStart::show() {
    MainWindow& window = session_.window();
    switch (plan_.outcome) {
        case StartupOutcome::showMain:
            window.show();
            break;
        case StartupOutcome::showMinimized:
            window.showMinimized();
            break;
        case StartupOutcome::trayOnly:
        case StartupOutcome::end:
            break;
    }
}

// The hidden window stays loaded, so the program must outlive its last visible window.
void WindowStart::keepInTray() {
    QApplication::setQuitOnLastWindowClosed(false);
    tray_ = std::make_unique<TrayIcon>(QApplication::windowIcon());
    connect(tray_.get(), &TrayIcon::restoreRequested, this,
            [this] { session_.restoreMainWindow(); });
    connect(tray_.get(), &TrayIcon::exitRequested, this,
            [this] { session_.window().action("Exit")->trigger(); });
}

}  // namespace talvex
