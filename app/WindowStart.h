#pragma once

#include <QObject>
#include <memory>

#include "shell/Startup.h"

namespace talvex {

class Session;
class SingleInstance;
class TrayIcon;

// The main window of one start, shown as the plan says, and the ways back to it: a second
// start always, the tray icon and its menu when the program waits in the tray.
class WindowStart : public QObject {
  public:
    // The session's main window is loaded.
    WindowStart(Session& session, SingleInstance& instance, const StartupPlan& plan,
                QObject* parent = nullptr);
    ~WindowStart() override;

    // Shows the window normally, minimised, or not at all.
    void show();
    TrayIcon* tray() const { return tray_.get(); }

  private:
    void keepInTray();

    Session& session_;
    StartupPlan plan_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace talvex
