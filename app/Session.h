#pragma once

#include <memory>
#include <string>

#include "app/ForwardingProgress.h"
#include "app/ForwardingView.h"
#include "documents/ColumnActions.h"
#include "documents/Documents.h"
#include "platform/QtClipboard.h"
#include "platform/QtDialogs.h"
#include "shell/TapeCore.h"

namespace talvex {

class MainWindow;

// One running program: the core objects and the main window that shows them.
class Session {
  public:
    // dialogs: where the documents' questions go; the window's own dialogs when null.
    Session(ConfigStore config, char decSep, DialogsPort* dialogs = nullptr);
    ~Session();

    // Loads the main window: capacity, settings, geometry, the default template, then the
    // start file; an unacceptable file name is reported in the status bar.
    void loadMainWindow(const std::string& startFile);
    // Writes the window settings; called when the program ends.
    void saveWindowSettings();
    // Shows the main window in front; after it was closed to the tray it starts again from
    // the default template.
    void restoreMainWindow();

    MainWindow& window() { return *window_; }
    Engine& engine() { return core_.engine; }
    TapeDocument& document() { return core_.document; }
    Documents& documents() { return documents_; }
    ConfigStore& config() { return core_.config; }
    SettingsGroups& settings() { return core_.settings; }

    static bool acceptableTapeName(const std::string& name);

  private:
    ForwardingView view_;
    ForwardingProgress progress_;
    TapeCore core_;
    QtDialogs qtDialogs_;
    DialogsPort& dialogs_;
    QtClipboard clipboard_;
    Documents documents_;
    ColumnActions columns_;
    std::unique_ptr<MainWindow> window_;
    bool closedToTray_ = false;
};

}  // namespace talvex
