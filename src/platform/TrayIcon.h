// The program's icon in the system tray, and its menu. Where the desktop has no tray the
// object stays silent; the program then never hides its window, and a second start brings it
// to the front.
#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

class QAction;
class QMenu;

namespace talvex {

class TrayIcon : public QObject {
    Q_OBJECT

  public:
    explicit TrayIcon(const QIcon& icon, QObject* parent = nullptr);
    ~TrayIcon() override;

    // The desktop has a tray to put the icon in.
    static bool available();
    // The icon is in the tray (the desktop has one and accepted it).
    bool shown() const;
    // "&SysTray": "&Exit", a separator, "&Restore". Built even without a tray.
    QMenu* menu() const { return menu_.get(); }

  public slots:
    // A double click restores; the tray itself opens the menu on a right click.
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

  signals:
    void restoreRequested();
    void exitRequested();

  private:
    void buildMenu();

    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon* tray_ = nullptr;
};

}  // namespace talvex
