// The menus and the toolbar: one action per command of the command table, placed where the
// command says, and kept enabled and checked as the command says after each one runs.
#include <map>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "documents/Documents.h"
#include "platform/KeypadIcons.h"
#include "platform/MainWindow.h"
#include "platform/OptionsDialog.h"
#include "platform/TapeModel.h"
#include "session/CommandTable.h"
#include "session/TapeSession.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kVersion = "0.4";

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

QIcon toolIcon(const std::string& id) {
    static const std::map<std::string, std::pair<const char*, QStyle::StandardPixmap>> icons = {
        {"NewDefault", {"document-new", QStyle::SP_FileIcon}},
        {"Open", {"document-open", QStyle::SP_DialogOpenButton}},
        {"Save", {"document-save", QStyle::SP_DialogSaveButton}},
        {"Undo", {"edit-undo", QStyle::SP_ArrowBack}},
        {"Redo", {"edit-redo", QStyle::SP_ArrowForward}},
        {"Cut", {"edit-cut", QStyle::SP_DialogDiscardButton}},
        {"Copy", {"edit-copy", QStyle::SP_FileDialogContentsView}},
        {"Paste", {"edit-paste", QStyle::SP_DialogApplyButton}},
        {"Insert", {"list-add", QStyle::SP_ArrowRight}},
        {"Delete", {"list-remove", QStyle::SP_TrashIcon}},
        {"ReCalc", {"view-refresh", QStyle::SP_BrowserReload}},
        {"WhatsThis", {"help-contents", QStyle::SP_DialogHelpButton}},
    };
    static const std::map<std::string, PrinterIconKind> printers = {
        {"Print", PrinterIconKind::mainPrinter},
        {"Sprint", PrinterIconKind::labelPrinter},
        {"SPrint", PrinterIconKind::current}};
    if (const auto printer = printers.find(id); printer != printers.end()) {
        const QPalette& colours = QApplication::palette();
        // Painted, not the desktop's printer icon: the three buttons must stay told apart.
        return printerIcon(printer->second, colours.color(QPalette::WindowText),
                           colours.color(QPalette::Base));
    }
    const auto found = icons.find(id);
    if (found == icons.end()) return {};
    return QIcon::fromTheme(found->second.first,
                            QApplication::style()->standardIcon(found->second.second));
}

// The menu at a path such as "&Edit/&Goto", made on first use.
QMenu* menuAt(QMenuBar* bar, std::map<std::string, QMenu*>& menus, const std::string& path,
              bool separatorBefore) {
    if (const auto found = menus.find(path); found != menus.end()) return found->second;
    const size_t slash = path.rfind('/');
    QMenu* menu = nullptr;
    if (slash == std::string::npos) {
        menu = bar->addMenu(local(path));
    } else {
        QMenu* parent = menuAt(bar, menus, path.substr(0, slash), false);
        if (separatorBefore) parent->addSeparator();
        menu = parent->addMenu(local(path.substr(slash + 1)));
    }
    menus[path] = menu;
    return menu;
}

}  // namespace

QAction* MainWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::buildCommands() {
    std::map<std::string, QMenu*> menus;
    for (const Command& command : core_.commands.commands()) {
        auto* a = new QAction(local(command.caption), this);
        a->setObjectName(QString::fromStdString(command.id));
        if (!command.shortcut.empty())
            a->setShortcuts(QKeySequence::listFromString(QString::fromStdString(command.shortcut)));
        if (!command.tip.empty()) a->setToolTip(local(command.tip));
        a->setCheckable(command.isSwitch());
        // The icons are the toolbar's; the menus show captions only.
        a->setIcon(toolIcon(command.id));
        a->setIconVisibleInMenu(false);
        if (!command.toolbarText.empty()) a->setIconText(local(command.toolbarText));
        connect(a, &QAction::triggered, this, [this, id = command.id] { runCommand(id); });
        commandActions_.push_back(a);
        if (command.menu.empty()) continue;
        // A separator before a submenu's first item goes before the submenu itself.
        const bool opensSubmenu =
            !menus.count(command.menu) && command.menu.find('/') != std::string::npos;
        QMenu* menu =
            menuAt(menuBar(), menus, command.menu, command.separatorBefore && opensSubmenu);
        if (command.separatorBefore && !opensSubmenu) menu->addSeparator();
        menu->addAction(a);
    }
    buildToolbar();
    syncCommands();
}

void MainWindow::buildToolbar() {
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("Toolbar");
    bar->setMovable(false);
    int group = 0;
    const auto& commands = core_.commands.commands();
    for (size_t i = 0; i < commands.size(); ++i) {
        if (!commands[i].toolbarGroup) continue;
        // Groups come in the order their first command does.
        if (group && commands[i].toolbarGroup != group) bar->addSeparator();
        group = commands[i].toolbarGroup;
        bar->addAction(commandActions_[i]);
    }
    bar->setVisible(core_.settings.bar(0));
}

void MainWindow::runCommand(const std::string& id) {
    status_->clear();
    if (const Command* ran = core_.commands.run(id)) follow(ran->aftermath);
    syncCommands();
}

// What a command changed besides the tape, shown again.
void MainWindow::follow(Aftermath aftermath) {
    switch (aftermath) {
        case Aftermath::none:
            return;
        case Aftermath::view:
            applyViewOptions();
            model_->columnsChanged();
            break;
        case Aftermath::frame:
            applyConfiguration();
            break;
        case Aftermath::document:
            documentChanged();
            break;
    }
    if (options_) options_->refresh();
}

// The actions say what the commands say now: after a command, a tape opened, settings
// reloaded or changed in the options dialog.
void MainWindow::syncCommands() {
    const auto& commands = core_.commands.commands();
    for (size_t i = 0; i < commands.size(); ++i) {
        const Command& command = commands[i];
        QAction* a = commandActions_[i];
        const QSignalBlocker block(a);
        a->setEnabled(command.isEnabled());
        if (command.isSwitch()) a->setChecked(command.checked());
    }
}

void MainWindow::exitProgram() {
    // A cancelled save prompt keeps the program as it was, tray and all.
    const bool wasClosing = closing_;
    closing_ = true;
    if (!close()) closing_ = wasClosing;
}

void MainWindow::openOptions(int tab) {
    if (!options_) {
        options_ = new OptionsDialog(core_.settings, core_.options, core_.engine, core_.document,
                                     core_.columns, this);
        options_->setAttribute(Qt::WA_DeleteOnClose);
        if (layout_ && printCommands_) options_->addPrinterTab(*layout_, *printCommands_);
        connect(options_, &OptionsDialog::columnsChanged, this,
                [this] { model_->columnsChanged(); });
        connect(options_, &OptionsDialog::switchConfigRequested, this,
                [this] { runCommand("VantConfiguration"); });
        connect(options_, &OptionsDialog::messengerRequested, this,
                &MainWindow::openMessengerFromOptions);
        connect(options_, &OptionsDialog::optionsChanged, this, [this] {
            applyViewOptions();
            syncCommands();
            model_->columnsChanged();
            applyPaper();
        });
    }
    options_->showTab(tab);
}

void MainWindow::enterWhatsThis() {
    QWhatsThis::enterWhatsThisMode();
}

void MainWindow::openPage(const std::string& address) {
    const QString text = local(address);
    QDesktopServices::openUrl(text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text));
}

void MainWindow::showAbout() {
    QMessageBox::about(
        this, tr("About Talvex"),
        tr("Talvex Version %1\n\nThe adding machine whose tape you can edit.").arg(kVersion));
}

}  // namespace talvex
