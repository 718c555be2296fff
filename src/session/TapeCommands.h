#pragma once

namespace talvex {

class CommandTable;
class ConfigStore;
class DialogsPort;
class Documents;
class Engine;
class FrontEndPort;
class MessengerSettings;
class OptionTable;
class PrintCommands;
class SettingsGroups;
struct TapeDocument;

// The parts of one running tape that the commands work on.
struct CommandParts {
    Engine& engine;
    TapeDocument& document;
    OptionTable& options;
    SettingsGroups& settings;
    ConfigStore& config;
    Documents& documents;
    FrontEndPort& frontEnd;
    PrintCommands& printing;
    MessengerSettings& messenger;
    DialogsPort& dialogs;
};

// The toolbar's three print buttons and the file menu's "&Print...".
void addPrintCommands(CommandTable& table, PrintCommands& printing, FrontEndPort& frontEnd);

// The file, edit, view and help commands, in the order their menus show them.
void addTapeCommands(CommandTable& table, const CommandParts& parts);

// Enters or leaves the compact configuration, which keeps calculator and tape settings of
// its own.
void switchConfiguration(SettingsGroups& settings, bool compact);

// The group key: chooses how group totals are taken, then presses the key.
void pressGroupKey(Engine& engine, int mode);

}  // namespace talvex
