#pragma once

#include <memory>
#include <string>

#include "app/ForwardingFrontEnd.h"
#include "app/ForwardingProgress.h"
#include "app/ForwardingView.h"
#include "platform/QtClipboard.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterPort.h"
#include "session/TapeSession.h"

namespace talvex {

class MainWindow;
class RecoveryKeeper;

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
    // Offers the unsaved changes of windows that crashed, then keeps a recovery copy of this
    // window's tape while it has unsaved changes. ask: where the offer is made (the window's
    // message boxes when null).
    void keepRecoveryCopies(DialogsPort* ask = nullptr);
    // The program ends cleanly: the recovery copy goes, unless a save that was asked for failed.
    void programEnds();

    MainWindow& window() { return *window_; }
    Engine& engine() { return core_.engine; }
    TapeDocument& document() { return core_.document; }
    Documents& documents() { return core_.documents; }
    ConfigStore& config() { return core_.config; }
    SettingsGroups& settings() { return core_.settings; }
    AddinHost& addins() { return core_.addins; }
    const CommandTable& commands() const { return core_.commands; }
    PageLayout& layout() { return core_.layout; }
    MessengerSettings& messenger() { return core_.messenger; }
    PrintCommands& printing() { return core_.printing; }
    QtPrinterPort& printerPort() { return printerPort_; }

  private:
    // The printers' dialogs belong to the window; a print reads the layout's paper.
    void connectPrinting();

    ForwardingView view_;
    ForwardingFrontEnd frontEnd_;
    ForwardingProgress progress_;
    QtDialogs qtDialogs_;
    QtPrinterPort printerPort_;
    TapeSession core_;
    QtClipboard clipboard_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    bool closedToTray_ = false;
};

}  // namespace talvex
