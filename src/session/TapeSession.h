#pragma once

#include "documents/ColumnActions.h"
#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/ProgressPort.h"
#include "messenger/MessengerSettings.h"
#include "printing/PageLayout.h"
#include "printing/PrinterPort.h"
#include "session/AddinHost.h"
#include "session/CommandTable.h"
#include "session/FileSettings.h"
#include "session/FrontEndPort.h"
#include "session/SessionPrinting.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

// What a front end gives a running tape: where the engine shows its changes, where the
// documents ask their questions, what only a window can do, and where long work reports.
struct SessionPorts {
    ViewPort& view;
    DialogsPort& dialogs;
    FrontEndPort& frontEnd;
    ProgressPort& progress;
    // A front end without printers of its own finds none.
    PrinterPort& printer = PrinterPort::none();
};

// One running program: the engine and its document, the options and settings groups with the
// configuration file they are kept in, the document flows, and the command table. The window
// and talvex-tape both stand on it.
class TapeSession {
  public:
    TapeSession(SessionPorts ports, ConfigStore configStore, char decSep);
    TapeSession(const TapeSession&) = delete;
    TapeSession& operator=(const TapeSession&) = delete;

    ConfigStore config;
    AddinHost addins;
    Engine engine;
    TapeDocument document{engine};
    OptionTable options;
    SettingsGroups settings;
    PageLayout layout;
    MessengerSettings messenger;
    // The settings as tape files see them.
    FileSettings fileSettings{settings, layout, messenger, addins};
    DialogsPort& dialogs;
    Documents documents;
    ColumnActions columns;
    SessionPrinting printing;
    CommandTable commands;
};

}  // namespace talvex
