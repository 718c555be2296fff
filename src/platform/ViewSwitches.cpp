// The view menu's switches; the toolbar shows the same actions as toggle buttons.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "platform/Keypad.h"
#include "platform/MainWindow.h"
#include "platform/TapeModel.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr int kOptionKeypad = 12;
constexpr int kOptionDisplayBar = 14;
constexpr int kOptionRuler = 6;
constexpr int kOptionNotes = 7;
constexpr int kOptionLineNumbers = 3;

}  // namespace

QAction* MainWindow::addSwitch(QMenu* menu, const QString& name, const QString& caption,
                               bool checked, std::function<void(bool)> apply) {
    QAction* a = addAction(menu, name, caption, {});
    a->setCheckable(true);
    a->setChecked(checked);
    connect(a, &QAction::toggled, this, [apply](bool on) { apply(on); });
    return a;
}

QAction* MainWindow::addOptionSwitch(QMenu* menu, const QString& name, const QString& caption,
                                     int option) {
    return addSwitch(menu, name, caption, core_.options.option(option) != 0,
                     [this, option](bool on) {
                         core_.settings.setOption(option, on ? 1 : 0);
                         applyViewOptions();
                         model_->columnsChanged();
                     });
}

// Shows or hides the column that plays a role (item count, date, description, amount).
void MainWindow::displayColumn(int role, bool visible) {
    const ColumnRoles roles = core_.engine.layout().roles;
    const int columns[] = {roles.itemCount, roles.type13, roles.description, roles.amount};
    const int col = columns[role];
    if (!ColumnRoles::present(col)) return;
    core_.document.columns.column(col).visible = visible;
    model_->columnsChanged();
}

bool MainWindow::columnShown(int role) const {
    const ColumnRoles roles = core_.engine.layout().roles;
    const int columns[] = {roles.itemCount, roles.type13, roles.description, roles.amount};
    return ColumnRoles::present(columns[role]) &&
           core_.document.columns.column(columns[role]).visible;
}

void MainWindow::buildViewMenu(QMenu* menu) {
    addOptionSwitch(menu, "Keypad", tr("Talvex &Keypad"), kOptionKeypad);
    addOptionSwitch(menu, "Display", tr("Talvex &Display Bar"), kOptionDisplayBar);
    addOptionSwitch(menu, "Ruler", tr("VantPrint &Ruler"), kOptionRuler);
    QAction* lock = addSwitch(menu, "Logo", tr("Talvex &Messenger Lock"), false, [](bool) {});
    lock->setEnabled(false);  // the messenger panel arrives with its own work
    addOptionSwitch(menu, "NotePad", tr("VantPad &Notes"), kOptionNotes);
    menu->addSeparator();
    addOptionSwitch(menu, "LineNos", tr("&Line Numbers"), kOptionLineNumbers);
    const QString captions[] = {tr("&1 - Number Column"), tr("&2 - Date Column"),
                                tr("&3 - Description Column"), QString()};
    const char* names[] = {"Number", "Date", "Description", "Amount"};
    for (int role = 0; role < 4; ++role)
        addSwitch(role < 3 ? menu : nullptr, names[role], role < 3 ? captions[role] : tr("Amount"),
                  columnShown(role), [this, role](bool on) { displayColumn(role, on); });
    menu->addSeparator();
    addSwitch(menu, "VantConfiguration", tr("&Vant Configuration"), core_.settings.compact(),
              [this](bool on) { setCompactConfiguration(on); });
    addSwitch(menu, "AlwaysOnTop", tr("&Always On Top"), core_.settings.alwaysOnTop(),
              [this](bool on) {
                  core_.settings.setAlwaysOnTop(on);
                  applyAlwaysOnTop();
              });
    addSwitch(menu, "AutoLoad", tr("D&isplay on Startup"), core_.config.autoLoad(),
              [this](bool on) { core_.config.writeAutoLoad(on); });
    addSwitch(menu, "ToolbarSwitch", tr("&Toolbar"), core_.settings.bar(0), [this](bool on) {
        core_.settings.setBar(0, on);
        applyBars();
    });
    addSwitch(menu, "StatusBarSwitch", tr("Status &Bar"), core_.settings.bar(1), [this](bool on) {
        core_.settings.setBar(1, on);
        applyBars();
    });
    menu->addSeparator();
    addAction(menu, "Options", tr("&Options..."), [this] { openOptions(0); });
}

namespace {

void showSwitch(QAction* a, bool checked, bool enabled = true) {
    const QSignalBlocker block(a);
    a->setChecked(checked);
    a->setEnabled(enabled);
}

}  // namespace

// The check marks say what the window shows, after a tape was opened, settings were reloaded
// or the options dialog changed them. The compact configuration has no ruler and no notes.
void MainWindow::syncViewSwitches() {
    const bool compact = core_.settings.compact();
    const struct {
        const char* name;
        int option;
        bool shownInCompact;
    } switches[] = {{"Keypad", kOptionKeypad, true},
                    {"Display", kOptionDisplayBar, true},
                    {"Ruler", kOptionRuler, false},
                    {"NotePad", kOptionNotes, false},
                    {"LineNos", kOptionLineNumbers, true}};
    for (const auto& s : switches) {
        const bool possible = !compact || s.shownInCompact;
        showSwitch(action(s.name), possible && core_.options.option(s.option) != 0, possible);
    }
    const char* names[] = {"Number", "Date", "Description", "Amount"};
    for (int role = 0; role < 4; ++role) showSwitch(action(names[role]), columnShown(role));
    showSwitch(action("VantConfiguration"), compact);
    showSwitch(action("AlwaysOnTop"), core_.settings.alwaysOnTop());
    showSwitch(action("ToolbarSwitch"), core_.settings.bar(0));
    showSwitch(action("StatusBarSwitch"), core_.settings.bar(1));
}

}  // namespace talvex
