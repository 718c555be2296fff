// The menus and the toolbar of the main window, and the commands they start.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "platform/Keypad.h"
#include "platform/MainWindow.h"
#include "platform/OptionsDialog.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kReadmeTape = "Readme45.kwd";
constexpr const char* kHomePage = "https://talvex.example/";
constexpr const char* kVersion = "0.4";

QIcon themed(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(fallback));
}

// A "WEB" page value: caption, a comma, the address; without a comma the whole value is the
// caption and there is no address.
std::pair<QString, QString> webPage(const std::string& value) {
    const QString text = QString::fromLocal8Bit(value.c_str());
    const qsizetype comma = text.indexOf(',');
    if (comma < 0) return {text, {}};
    return {text.left(comma), text.mid(comma + 1).trimmed()};
}

}  // namespace

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& caption,
                               std::function<void()> run, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    if (run) connect(action, &QAction::triggered, this, [run] { run(); });
    if (menu) menu->addAction(action);
    return action;
}

QAction* MainWindow::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::buildMenus() {
    Engine& engine = core_.engine;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addAction(
        file, "New", tr("&New..."), [this] { newTape(true); }, QKeySequence::New);
    addAction(
        file, "Open", tr("&Open..."), [this] { openTape({}); }, QKeySequence::Open);
    file->addSeparator();
    addAction(
        file, "Save", tr("&Save"), [this] { saveTape(3); }, QKeySequence::Save);
    addAction(
        file, "SaveAs", tr("Save &As..."), [this] { saveTape(4); }, QKeySequence::SaveAs);
    file->addSeparator();
    // Printing has no engine yet: its commands stay out of sight until it has.
    addAction(file, "Print", tr("&Print..."), [] {})->setVisible(false);
    file->addSeparator();
    // A cancelled save prompt keeps the program as it was, tray and all.
    addAction(file, "Exit", tr("E&xit"), [this] {
        const bool wasClosing = closing_;
        closing_ = true;
        if (!close()) closing_ = wasClosing;
    });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    const auto column = [this] { return view_->currentDataColumn(); };
    // The desktop's own keys; an open cell editor or the notes pad takes them first.
    addAction(
        edit, "Cut", tr("&Cut"), [&engine, column] { engine.cutCell(column()); },
        QKeySequence::Cut);
    addAction(
        edit, "Copy", tr("C&opy"), [&engine, column] { engine.copyCell(column()); },
        QKeySequence::Copy);
    addAction(
        edit, "Paste", tr("&Paste"), [&engine, column] { engine.pasteCell(column()); },
        QKeySequence::Paste);
    addAction(edit, "PasteSpecial", tr("Paste &Special"), [] {});
    edit->addSeparator();
    addAction(
        edit, "Delete", tr("&Delete Line"), [&engine] { engine.deleteRow(); },
        QKeySequence(Qt::CTRL | Qt::Key_Delete));
    addAction(
        edit, "Insert", tr("&Insert Line"), [&engine] { engine.insertRow(); },
        QKeySequence(Qt::Key_Insert));
    edit->addSeparator();
    QMenu* go = edit->addMenu(tr("&Goto"));
    const char* gotoNames[] = {"&First Line", "&Previous Line", "&Next Line", "&Last Line"};
    for (int index = 0; index < 4; ++index)
        addAction(go, QString("Goto%1").arg(index), tr(gotoNames[index]),
                  [&engine, index] { engine.gotoLine(index); });
    edit->addSeparator();
    addAction(edit, "ReCalc", tr("&ReCalculate"), [&engine] { engine.recalculate(1); });

    buildViewMenu(menuBar()->addMenu(tr("&View")));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addAction(help, "HelpTopics", tr("Talvex &Help Topics"), [this] {
        const auto page = core_.documents.workingFolder() / "Talvex.html";
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
    });
    addAction(help, "ReadmeTape", tr("Talvex &Readme Tape"), [this] { openTape(kReadmeTape); });
    addAction(
        help, "WhatsThis", tr("What's &This?"), [] { QWhatsThis::enterWhatsThisMode(); },
        QKeySequence(Qt::SHIFT | Qt::Key_F1));
    QMenu* web = help->addMenu(tr("Talvex on the &Web"));
    addAction(web, "HomePage", tr("Talvex &Home Page"),
              [] { QDesktopServices::openUrl(QUrl(kHomePage)); });
    int page = 0;
    for (const std::string& value : core_.config.webPages()) {
        const auto [caption, address] = webPage(value);
        addAction(web, QString("WebPage%1").arg(++page), caption, [address] {
            if (!address.isEmpty()) QDesktopServices::openUrl(QUrl(address));
        });
    }
    help->addSeparator();
    addAction(help, "About", tr("&About Talvex..."), [this] { showAbout(); });
}

void MainWindow::buildToolbar() {
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("Toolbar");
    bar->setMovable(false);
    const auto button = [this, bar](const QString& name, const QIcon& icon, const QString& tip,
                                    std::function<void()> run) {
        QAction* a = addAction(nullptr, "Tool" + name, name, std::move(run));
        a->setIcon(icon);
        a->setToolTip(tip);
        bar->addAction(a);
    };
    button("New", themed("document-new", QStyle::SP_FileIcon),
           tr("New tape from the default template"), [this] { newTape(false); });
    button("Open", themed("document-open", QStyle::SP_DialogOpenButton), tr("Open a tape"),
           [this] { openTape({}); });
    button("Save", themed("document-save", QStyle::SP_DialogSaveButton), tr("Save the tape"),
           [this] { saveTape(3); });
    for (const char* name : {"Print", "Sprint", "SPrint"}) {
        button(name, themed("document-print", QStyle::SP_FileDialogDetailedView),
               tr("Print the whole tape"), [] {});
        action(QString("Tool") + name)->setVisible(false);
    }
    bar->addSeparator();
    Engine& engine = core_.engine;
    button("Cut", themed("edit-cut", QStyle::SP_DialogDiscardButton),
           tr("Cuts the current cell to the clipboard"),
           [this, &engine] { engine.cutCell(view_->currentDataColumn()); });
    button("Copy", themed("edit-copy", QStyle::SP_FileDialogContentsView),
           tr("Copies the current cell to the clipboard"),
           [this, &engine] { engine.copyCell(view_->currentDataColumn()); });
    button("Paste", themed("edit-paste", QStyle::SP_DialogApplyButton),
           tr("Pastes the current clipboard contents into the current cell"),
           [this, &engine] { engine.pasteCell(view_->currentDataColumn()); });
    bar->addSeparator();
    button("Insert", themed("list-add", QStyle::SP_ArrowRight),
           tr("Inserts a new line before the current line in the tape"),
           [&engine] { engine.insertRow(); });
    button("Delete", themed("list-remove", QStyle::SP_TrashIcon),
           tr("Deletes the current line in the tape"), [&engine] { engine.deleteRow(); });
    button("ReCalc", themed("view-refresh", QStyle::SP_BrowserReload),
           tr("Recalculates the entire tape from the top"), [&engine] { engine.recalculate(1); });
    bar->addSeparator();
    button("Help", themed("help-contents", QStyle::SP_DialogHelpButton), tr("What's This?"),
           [] { QWhatsThis::enterWhatsThisMode(); });
    bar->addSeparator();
    for (const char* name : {"Keypad", "Display", "Ruler", "Logo", "NotePad", "LineNos", "Number",
                             "Date", "Description", "Amount"})
        if (QAction* a = action(name)) {
            // The toolbar shows the switch by its short name.
            a->setIconText(QString::fromLatin1(name));
            bar->addAction(a);
        }
    bar->setVisible(core_.settings.bar(0));
}

void MainWindow::newTape(bool askForTemplate) {
    if (core_.documents.newGrid(askForTemplate ? std::string() : Documents::kDefaultTemplate))
        documentChanged();
}

void MainWindow::openTape(const std::string& name) {
    if (core_.documents.openGrid(name)) documentChanged();
}

void MainWindow::saveTape(int mode) {
    syncNotesToDocument();
    core_.documents.saveDocument(mode);
}

void MainWindow::openOptions(int tab) {
    if (!options_) {
        options_ = new OptionsDialog(core_.settings, core_.options, core_.engine, core_.document,
                                     core_.columns, this);
        options_->setAttribute(Qt::WA_DeleteOnClose);
        connect(options_, &OptionsDialog::columnsChanged, this,
                [this] { model_->columnsChanged(); });
        // The dialog switched the settings groups; the window follows.
        connect(options_, &OptionsDialog::configSwitched, this, [this] { documentChanged(); });
        connect(options_, &OptionsDialog::optionsChanged, this, [this] {
            applyViewOptions();
            syncViewSwitches();
            keypad_->setTapeOn(core_.engine.state().tapeOn);
            model_->columnsChanged();
        });
    }
    options_->showTab(tab);
}

void MainWindow::showAbout() {
    QMessageBox::about(
        this, tr("About Talvex"),
        tr("Talvex Version %1\n\nThe adding machine whose tape you can edit.").arg(kVersion));
}

}  // namespace talvex
