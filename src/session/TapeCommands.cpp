#include "session/TapeCommands.h"
#include "engine/OptionNumbers.h"

#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "messenger/MessengerSettings.h"
#include "session/CommandTable.h"
#include "session/FindCommands.h"
#include "session/FrontEndPort.h"
#include "session/SpreadsheetCommands.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kReadmeTape = "Readme45.kwd";
constexpr const char* kHelpPage = "Talvex.html";
constexpr const char* kHomePage = "https://talvex.example/";
constexpr const char* kFileMenu = "&File";
constexpr const char* kEditMenu = "&Edit";
constexpr const char* kGotoMenu = "&Edit/&Goto";
constexpr const char* kViewMenu = "&View";
constexpr const char* kHelpMenu = "&Help";
constexpr const char* kWebMenu = "&Help/Talvex on the &Web";

// The toolbar's groups, left to right.
constexpr int kFileTools = 1;
constexpr int kClipboardTools = 2;
constexpr int kLineTools = 3;
constexpr int kHelpTools = 4;
constexpr int kViewTools = 5;

class Builder {
  public:
    Builder(CommandTable& table, const CommandParts& parts) : table_(table), p_(parts) {}

    void fileCommands();
    void editCommands();
    void viewCommands();
    void helpCommands();

  private:
    void add(Command command) { table_.add(std::move(command)); }
    void optionSwitch(const char* id, const char* caption, int option, bool inCompact,
                      bool separatorBefore = false);
    void columnSwitch(const char* id, const char* caption, int role, bool inMenu = true);
    // The rows outlive the builder: what they run holds the parts, never the builder.
    std::function<bool()> withWindow() const {
        return [&front = p_.frontEnd] { return front.hasWindow(); };
    }

    CommandTable& table_;
    const CommandParts& p_;
};

void Builder::fileCommands() {
    Documents& documents = p_.documents;
    add({.id = "New",
         .caption = "&New...",
         .shortcut = "Ctrl+N",
         .menu = kFileMenu,
         .run = [&documents] { documents.newGrid({}); },
         .aftermath = Aftermath::document});
    add({.id = "NewDefault",
         .caption = "New",
         .tip = "New tape from the default template",
         .toolbarGroup = kFileTools,
         .toolbarText = "New",
         .run = [&documents] { documents.newGrid(Documents::kDefaultTemplate); },
         .aftermath = Aftermath::document});
    add({.id = "Open",
         .caption = "&Open...",
         .shortcut = "Ctrl+O",
         .tip = "Open a tape",
         .menu = kFileMenu,
         .toolbarGroup = kFileTools,
         .toolbarText = "Open",
         .run = [&documents] { documents.openGrid({}); },
         .aftermath = Aftermath::document});
    add({.id = "Save",
         .caption = "&Save",
         .shortcut = "Ctrl+S",
         .tip = "Save the tape",
         .menu = kFileMenu,
         .separatorBefore = true,
         .toolbarGroup = kFileTools,
         .toolbarText = "Save",
         .run = [&documents] { documents.saveDocument(SaveMode::save); }});
    add({.id = "SaveAs",
         .caption = "Save &As...",
         .shortcut = "Ctrl+Shift+S",
         .menu = kFileMenu,
         .run = [&documents] { documents.saveDocument(SaveMode::saveAs); }});
    add({.id = "Export",
         .caption = "&Export...",
         .tip = "Writes the tape's columns to a CSV or tab-separated file for a spreadsheet",
         .menu = kFileMenu,
         .run = [parts = p_] { exportThroughDialog(parts); }});
    FrontEndPort& front = p_.frontEnd;
    addPrintCommands(table_, p_.printing, front);
    add({.id = "Exit",
         .caption = "E&xit",
         .menu = kFileMenu,
         .separatorBefore = true,
         .enabled = withWindow(),
         .run = [&front] { front.exit(); }});
}

void Builder::editCommands() {
    Engine& engine = p_.engine;
    const TapeDocument& document = p_.document;
    // The desktop's own keys; an open cell editor or the notes pad takes them first.
    add({.id = "Undo",
         .caption = "&Undo",
         .shortcut = "Ctrl+Z",
         .tip = "Takes back the last change to the tape",
         .menu = kEditMenu,
         .toolbarGroup = kClipboardTools,
         .toolbarText = "Undo",
         .enabled = [&engine] { return engine.canUndo(); },
         .run = [&engine] { engine.undo(); }});
    add({.id = "Redo",
         .caption = "&Redo",
         .shortcut = "Ctrl+Shift+Z; Ctrl+Y",
         .tip = "Makes the change taken back again",
         .menu = kEditMenu,
         .toolbarGroup = kClipboardTools,
         .toolbarText = "Redo",
         .enabled = [&engine] { return engine.canRedo(); },
         .run = [&engine] { engine.redo(); }});
    add({.id = "Cut",
         .caption = "&Cut",
         .shortcut = "Ctrl+X",
         .tip = "Cuts the current cell to the clipboard",
         .menu = kEditMenu,
         .separatorBefore = true,
         .toolbarGroup = kClipboardTools,
         .toolbarText = "Cut",
         .run = [&engine, &document] { engine.cutCell(document.currentColumn); }});
    add({.id = "Copy",
         .caption = "C&opy",
         .shortcut = "Ctrl+C",
         .tip = "Copies the current cell, or the selected lines, to the clipboard",
         .menu = kEditMenu,
         .toolbarGroup = kClipboardTools,
         .toolbarText = "Copy",
         .run = [parts = p_] { copySelection(parts); }});
    add({.id = "Paste",
         .caption = "&Paste",
         .shortcut = "Ctrl+V",
         .tip = "Pastes the current clipboard contents into the current cell",
         .menu = kEditMenu,
         .toolbarGroup = kClipboardTools,
         .toolbarText = "Paste",
         .run = [&engine, &document] { engine.pasteCell(document.currentColumn); }});
    // Shown, and does nothing: there is no other form to paste in.
    add({.id = "PasteSpecial", .caption = "Paste &Special", .menu = kEditMenu, .run = [] {}});
    addFindCommands(table_, engine, p_.dialogs, kEditMenu);
    add({.id = "Delete",
         .caption = "&Delete Line",
         .shortcut = "Ctrl+Del",
         .tip = "Deletes the current line in the tape",
         .menu = kEditMenu,
         .separatorBefore = true,
         .toolbarGroup = kLineTools,
         .toolbarText = "Delete",
         .run = [&engine] { engine.deleteRow(); }});
    add({.id = "Insert",
         .caption = "&Insert Line",
         .shortcut = "Ins",
         .tip = "Inserts a new line before the current line in the tape",
         .menu = kEditMenu,
         .toolbarGroup = kLineTools,
         .toolbarText = "Insert",
         .run = [&engine] { engine.insertRow(); }});
    const char* gotoCaptions[] = {"&First Line", "&Previous Line", "&Next Line", "&Last Line"};
    for (int index = 0; index < 4; ++index)
        add({.id = "Goto" + std::to_string(index),
             .caption = gotoCaptions[index],
             .menu = kGotoMenu,
             .separatorBefore = index == 0,
             .run = [&engine, index] { engine.gotoLine(static_cast<GotoTarget>(index)); }});
    add({.id = "ReCalc",
         .caption = "&ReCalculate",
         .tip = "Recalculates the entire tape from the top",
         .menu = kEditMenu,
         .separatorBefore = true,
         .toolbarGroup = kLineTools,
         .toolbarText = "ReCalc",
         .run = [&engine] { engine.recalculate(1); }});
}

// The compact configuration has no ruler and no notes: their switches rest there.
void Builder::optionSwitch(const char* id, const char* caption, int option, bool inCompact,
                           bool separatorBefore) {
    OptionTable& options = p_.options;
    SettingsGroups& settings = p_.settings;
    const auto possible = [&settings, inCompact] { return inCompact || !settings.compact(); };
    add({.id = id,
         .caption = caption,
         .menu = kViewMenu,
         .separatorBefore = separatorBefore,
         .toolbarGroup = kViewTools,
         .toolbarText = id,
         .enabled = possible,
         .checked = [&options, option, possible] { return possible() && options.option(option); },
         .run = [&options, &settings,
                 option] { settings.setOption(option, options.option(option) ? 0 : 1); },
         .aftermath = Aftermath::view});
}

// Roles 0 to 3: the item-count, date, description and amount columns; 0 when the tape has
// no column for the role.
int roleColumn(const Engine& engine, int role) {
    const ColumnRoles roles = engine.layout().roles;
    const int columns[] = {roles.itemCount, roles.type13, roles.description, roles.amount};
    return ColumnRoles::present(columns[role]) ? columns[role] : 0;
}

// The amount column has no menu item; the toolbar shows its switch.
void Builder::columnSwitch(const char* id, const char* caption, int role, bool inMenu) {
    const Engine& engine = p_.engine;
    TapeDocument& document = p_.document;
    add({.id = id,
         .caption = caption,
         .menu = inMenu ? kViewMenu : "",
         .toolbarGroup = kViewTools,
         .toolbarText = id,
         .checked =
             [&engine, &document, role] {
                 const int col = roleColumn(engine, role);
                 return col && document.columns.column(col).visible;
             },
         .run =
             [&engine, &document, role] {
                 if (const int col = roleColumn(engine, role)) {
                     bool& visible = document.columns.column(col).visible;
                     visible = !visible;
                 }
             },
         .aftermath = Aftermath::view});
}

void Builder::viewCommands() {
    // The keypad's tape switch: while the tape is off every column can be typed.
    Engine& engine = p_.engine;
    SettingsGroups& settings = p_.settings;
    add({.id = "TapeSwitch",
         .caption = "&Tape",
         .checked = [&engine] { return engine.state().tapeOn; },
         .run = [&engine,
                 &settings] { settings.setOption(option::kTapeOn, engine.state().tapeOn ? 0 : 1); },
         .aftermath = Aftermath::view});
    optionSwitch("Keypad", "Talvex &Keypad", option::kKeypad, true);
    optionSwitch("Display", "Talvex &Display Bar", option::kDisplayBar, true);
    optionSwitch("Ruler", "VantPrint &Ruler", option::kRuler, false);
    // The messenger's View Lock: locked, the panel always keeps at least its minimum height;
    // unlocked, the user may fold it away.
    MessengerSettings& messenger = p_.messenger;
    add({.id = "Logo",
         .caption = "Talvex &Messenger Lock",
         .menu = kViewMenu,
         .toolbarGroup = kViewTools,
         .toolbarText = "Logo",
         .checked = [&messenger] { return messenger.record().viewLock; },
         .run =
             [&messenger] {
                 messenger.setParameter(messenger_field::kViewLock,
                                        messenger.record().viewLock ? "0" : "1");
             },
         .aftermath = Aftermath::view});
    optionSwitch("NotePad", "VantPad &Notes", option::kNotes, false);
    optionSwitch("LineNos", "&Line Numbers", option::kLineNosWidth, true, true);
    columnSwitch("Number", "&1 - Number Column", 0);
    columnSwitch("Date", "&2 - Date Column", 1);
    columnSwitch("Description", "&3 - Description Column", 2);
    columnSwitch("Amount", "Amount", 3, false);

    ConfigStore& config = p_.config;
    add({.id = "VantConfiguration",
         .caption = "&Vant Configuration",
         .menu = kViewMenu,
         .separatorBefore = true,
         .checked = [&settings] { return settings.compact(); },
         .run = [&settings] { switchConfiguration(settings, !settings.compact()); },
         .aftermath = Aftermath::document});
    add({.id = "AlwaysOnTop",
         .caption = "&Always On Top",
         .menu = kViewMenu,
         .checked = [&settings] { return settings.alwaysOnTop(); },
         .run = [&settings] { settings.setAlwaysOnTop(!settings.alwaysOnTop()); },
         .aftermath = Aftermath::frame});
    add({.id = "AutoLoad",
         .caption = "D&isplay on Startup",
         .menu = kViewMenu,
         .checked = [&config] { return config.autoLoad(); },
         .run = [&config] { config.writeAutoLoad(!config.autoLoad()); }});
    const char* barIds[] = {"ToolbarSwitch", "StatusBarSwitch"};
    const char* barCaptions[] = {"&Toolbar", "Status &Bar"};
    for (int bar = 0; bar < 2; ++bar)
        add({.id = barIds[bar],
             .caption = barCaptions[bar],
             .menu = kViewMenu,
             .checked = [&settings, bar] { return settings.bar(bar); },
             .run = [&settings, bar] { settings.setBar(bar, !settings.bar(bar)); },
             .aftermath = Aftermath::frame});
    FrontEndPort& front = p_.frontEnd;
    add({.id = "Options",
         .caption = "&Options...",
         .menu = kViewMenu,
         .separatorBefore = true,
         .enabled = withWindow(),
         .run = [&front] { front.showOptions(); }});
}

void Builder::helpCommands() {
    FrontEndPort& front = p_.frontEnd;
    const std::string helpPage = (p_.documents.workingFolder() / kHelpPage).string();
    add({.id = "HelpTopics",
         .caption = "Talvex &Help Topics",
         .menu = kHelpMenu,
         .enabled = withWindow(),
         .run = [&front, helpPage] { front.openPage(helpPage); }});
    Documents& documents = p_.documents;
    add({.id = "ReadmeTape",
         .caption = "Talvex &Readme Tape",
         .menu = kHelpMenu,
         .run = [&documents] { documents.openGrid(kReadmeTape); },
         .aftermath = Aftermath::document});
    add({.id = "WhatsThis",
         .caption = "What's &This?",
         .shortcut = "Shift+F1",
         .tip = "What's This?",
         .menu = kHelpMenu,
         .toolbarGroup = kHelpTools,
         .toolbarText = "Help",
         .enabled = withWindow(),
         .run = [&front] { front.enterWhatsThis(); }});
    add({.id = "HomePage",
         .caption = "Talvex &Home Page",
         .menu = kWebMenu,
         .enabled = withWindow(),
         .run = [&front] { front.openPage(kHomePage); }});
    // A "WEB" page value: caption, a comma, the address; without a comma the whole value is
    // the caption and there is no address.
    int page = 0;
    for (const std::string& value : p_.config.webPages()) {
        const size_t comma = value.find(',');
        std::string address;
        if (comma != std::string::npos) {
            address = value.substr(comma + 1);
            address.erase(0, address.find_first_not_of(' '));
        }
        add({.id = "WebPage" + std::to_string(++page),
             .caption = value.substr(0, comma),
             .menu = kWebMenu,
             .enabled = withWindow(),
             .run = [&front, address] {
                 if (!address.empty()) front.openPage(address);
             }});
    }
    add({.id = "About",
         .caption = "&About Talvex...",
         .menu = kHelpMenu,
         .separatorBefore = true,
         .enabled = withWindow(),
         .run = [&front] { front.showAbout(); }});
}

}  // namespace

void switchConfiguration(SettingsGroups& settings, bool compact) {
    if (compact == settings.compact()) return;
    settings.setCompact(compact);
    settings.loadGroup(settings_group::kCalculator);
    settings.loadGroup(settings_group::kTape);
}

void addTapeCommands(CommandTable& table, const CommandParts& parts) {
    Builder builder(table, parts);
    builder.fileCommands();
    builder.editCommands();
    builder.viewCommands();
    builder.helpCommands();
}

void pressGroupKey(Engine& engine, int mode) {
    engine.setGroupMode(mode);
    engine.keyFront(key::kGrandTotal);
}

}  // namespace talvex
