// The tray icon: tip, menu and the clicks that bring the main window back.
#include "platform/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include "shell/Startup.h"

namespace talvex {

namespace {

constexpr const char* kMenuTitle = "&SysTray";
constexpr const char* kExit = "&Exit";
constexpr const char* kRestore = "&Restore";

}  // namespace

TrayIcon::TrayIcon(const QIcon& icon, QObject* parent) : QObject(parent) {
    buildMenu();
    if (!available()) return;
    tray_ = new QSystemTrayIcon(icon, this);
    tray_->setToolTip(QString::fromUtf8(kProductName.data(), kProductName.size()));
    tray_->setContextMenu(menu_.get());
    connect(tray_, &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
    tray_->show();
}

// The tray holds the menu without owning it: take the icon away before the menu goes.
TrayIcon::~TrayIcon() {
    delete tray_;
    tray_ = nullptr;
}

bool TrayIcon::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::shown() const {
    return tray_ != nullptr && tray_->isVisible();
}

void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) emit restoreRequested();
}

void TrayIcon::buildMenu() {
    menu_ = std::make_unique<QMenu>(QString::fromUtf8(kMenuTitle));
    connect(menu_->addAction(QString::fromUtf8(kExit)), &QAction::triggered, this,
            &TrayIcon::exitRequested);
    menu_->addSeparator();
    connect(menu_->addAction(QString::fromUtf8(kRestore)), &QAction::triggered, this,
            &TrayIcon::restoreRequested);
}

}  // namespace talvex
