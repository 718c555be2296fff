#include "platform/MainWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/OptionNumbers.h"
#include "platform/AddinPanels.h"
#include "platform/Colours.h"
#include "platform/DisplayBar.h"
#include "platform/FoldingPanel.h"
#include "platform/Keypad.h"
#include "platform/OptionsDialog.h"
#include "platform/ReferencePanel.h"
#include "platform/Ruler.h"
#include "platform/TapeFonts.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "platform/ThemeColours.h"
#include "printing/PageLayout.h"
#include "session/TapeCommands.h"
#include "session/TapeSession.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

}  // namespace

MainWindow::MainWindow(TapeSession& core, QWidget* parent) : QMainWindow(parent), core_(core) {
    setObjectName("MainWindow");
    setWindowTitle("Talvex");
    buildLayout();
    buildCommands();
    connectWidgets();
    core_.addins.framework().setPanels(addinPanels_);
    documentChanged();
}

// The framework outlives the window: it must not show anything on panels that are gone.
MainWindow::~MainWindow() {
    core_.addins.framework().setPanels(nullptr);
    core_.messenger.attachPanel(nullptr);
    core_.addins.browser().setWebView(nullptr);
    // The layout outlives the window: it must not call back into it.
    if (layout_) layout_->onTapeWidthChanged = nullptr;
}

std::vector<int> MainWindow::selectedLines() const {
    return view_->selectedTapeRows();
}

void MainWindow::connectWidgets() {
    Engine& engine = core_.engine;
    connect(view_, &TapeView::keyChar, this, [this](char c) { typedChar(c); });
    connect(view_, &TapeView::keyCode, this, [&engine](int code) { engine.keyFront(code); });
    connect(view_, &TapeView::enterPressed, this, [&engine] { engine.pressEnter(); });
    connect(view_, &TapeView::backspacePressed, this, [&engine] { engine.pressBackspace(); });
    connect(view_, &TapeView::insertLine, this, [&engine] { engine.insertRow(); });
    connect(view_, &TapeView::deleteLine, this, [&engine] { engine.deleteRow(); });
    // A dragged column keeps its width, in the tape file too.
    connect(view_, &TapeView::columnResized, this, [this](int col, int characters) {
        if (characters == core_.document.columns.width(col)) return;
        core_.document.columns.setWidth(col, characters);
        core_.engine.setModified(true);
        showModified();
    });
    connect(view_, &TapeView::rowSelected, this, [this, &engine](int row) {
        if (!engine.clickRow(row)) view_->showTapeRow(engine.state().curRow);
    });
    connect(keypad_, &Keypad::keyPressed, this, [this](int code) { keypadKey(code); });
    connect(keypad_, &Keypad::groupModeChosen, this, [this, &engine](int mode) {
        status_->clear();
        pressGroupKey(engine, mode);
        view_->setFocus();
    });
    connect(keypad_, &Keypad::gotoPressed, this, [this](int index) {
        runCommand("Goto" + std::to_string(index));
        view_->setFocus();
    });
    connect(keypad_, &Keypad::tapeSwitchPressed, this, [this] {
        runCommand("TapeSwitch");
        view_->setFocus();
    });
    connect(addinPanels_, &AddinPanels::used, this, [this] {
        status_->clear();
        view_->setFocus();
    });
    connect(addinPanels_, &AddinPanels::helpShown, this,
            [this](const QString& help) { status_->setText(help); });
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] { syncNotesToDocument(); });
    // The tape file keeps the cursor's column, so a reopened tape puts it back there.
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (const int column = view_->currentDataColumn(); column > 0)
            core_.document.currentColumn = column;
    });
}

// A message stays until the next press on the keypad.
// "G" and "g" choose the group-total mode as they press the key; the keypad's list follows.
void MainWindow::typedChar(char c) {
    core_.engine.keyChar(c);
    keypad_->setGroupMode(core_.engine.state().entry.groupMode);
}

void MainWindow::keypadKey(int code) {
    status_->clear();
    core_.engine.keyFront(code);
    view_->setFocus();
}

void MainWindow::syncNotesToDocument() {
    if (loadingNotes_) return;
    std::string text = notes_->toPlainText().toLocal8Bit().toStdString();
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (crlf == core_.document.notes) return;
    core_.document.notes = crlf;
    core_.engine.setModified(true);
    showModified();
}

void MainWindow::documentChanged() {
    // Laying the grid out again moves the cursor; the tape's own column is put back after.
    const int cursorColumn = core_.document.currentColumn;
    loadingNotes_ = true;
    QString notes = local(core_.document.notes);
    notes.replace("\r\n", "\n");
    notes_->setPlainText(notes);
    loadingNotes_ = false;
    references_->clear();
    const ReferenceRegistry& refs = core_.engine.references();
    bool anyReference = false;
    for (int n = 1; n < refs.boxCount(); ++n) {
        references_->setSlot(n, local(refs.slot(n).shown));
        anyReference = anyReference || !refs.slot(n).shown.empty();
    }
    // Empty panels start folded, so a new tape gets the room.
    referencesFold_->setOpen(anyReference);
    openNotes(!notes_->toPlainText().isEmpty());
    model_->columnsChanged();
    keypad_->setCountsOn(core_.engine.settings().countsOn);
    applyConfiguration();
    applyViewOptions();
    syncCommands();
    core_.engine.refreshDisplay();
    view_->showTapeRow(core_.engine.state().curRow);
    view_->setCurrentDataColumn(cursorColumn);
    notes_->setFont(notesFontFor(core_.document.font, QApplication::font()));
    applyPaper();
}

void MainWindow::applyViewOptions() {
    const OptionTable& options = core_.options;
    keypad_->setVisible(options.option(option::kKeypad) != 0);
    keypad_->setLeftSubpadVisible(options.option(option::kLeftSubpad) != 0);
    keypad_->setNavigationVisible(options.option(option::kTapeOnGotoButtons) != 0);
    keypad_->setGroupMode(core_.engine.state().entry.groupMode);
    keypad_->setTapeOn(core_.engine.state().tapeOn);
    display_->setVisible(options.option(option::kDisplayBar) != 0);
    addinPanels_->setVisible(options.option(option::kAddinPanels) != 0);
    // The compact configuration is the calculator with its tape: no notes, no reference panel.
    const bool compact = core_.settings.compact();
    ruler_->setVisible(!compact && options.option(option::kRuler) != 0);
    notes_->setVisible(!compact && options.option(option::kNotes) != 0);
    references_->setVisible(!compact);
    display_->setBackground(shownColour(options, colour::kLcdBackground));
    keypad_->setColours(shownColour(options, colour::kKeypadBack),
                        shownColour(options, colour::kSubpads));
    // The notes keep their own paper under any desktop, so their ink and their faint hint are
    // measured against that paper, not the desktop's.
    const QColor notesBack = shownColour(options, colour::kNotesBack);
    const QColor notesInk = readableOn(shownColour(options, colour::kNotesText), notesBack);
    QColor notesHint = notesInk;
    notesHint.setAlphaF(0.5);
    QPalette palette = notes_->palette();
    palette.setColor(QPalette::Base, notesBack);
    palette.setColor(QPalette::Text, notesInk);
    palette.setColor(QPalette::PlaceholderText, readableOn(notesHint, notesBack));
    notes_->setPalette(palette);
}

// ViewPort: the engine's changes reach the widgets here.
void MainWindow::showStatus(const std::string& text, bool error) {
    status_->setText(local(text));
    if (error) QApplication::beep();
}

// A recalculation shows the registers of each line it replays; only where it ends is seen, so
// the display takes the last of them when the replay is over.
void MainWindow::showDisplay(const std::string& text) {
    displayText_ = text;
    if (core_.engine.replaying()) {
        if (!displayPending_) showDisplayAfterReplay();
        return;
    }
    display_->setText(local(text));
    model_->entryChanged();
    showModified();
}

void MainWindow::showDisplayAfterReplay() {
    displayPending_ = core_.engine.replaying();
    if (displayPending_)
        QTimer::singleShot(0, this, &MainWindow::showDisplayAfterReplay);
    else
        display_->setText(local(displayText_));
}

// The tape changed: Undo and Redo (and what else depends on the tape) are offered again once
// the change is done, not on every row a long change touches. The title is only set again
// when the mark changes: setting it formats the title anew.
void MainWindow::showModified() {
    const bool modified = core_.engine.state().modified;
    if (isWindowModified() != modified) setWindowModified(modified);
    if (syncPending_) return;
    syncPending_ = true;
    QTimer::singleShot(0, this, [this] {
        syncPending_ = false;
        syncCommands();
    });
}

void MainWindow::setDisplayColour(int colourIndex) {
    display_->setTextColour(shownColour(core_.options, colourIndex));
}

void MainWindow::rowsChanged(int first, int last) {
    model_->rowsChanged(first, last);
    showModified();
}
void MainWindow::rowCountChanged(int lastRow) {
    model_->rowCountChanged(lastRow);
    showModified();
}
void MainWindow::rowsInserted(int row, int count, int /*lastRow*/) {
    model_->tapeRowsInserted(row, count);
    showModified();
}
void MainWindow::rowsRemoved(int row, int count, int /*lastRow*/) {
    model_->tapeRowsRemoved(row, count);
    showModified();
}
void MainWindow::currentRowChanged(int row) {
    view_->showTapeRow(row);
}
void MainWindow::showRowAtTop(int row) {
    view_->showRowAtTop(row);
}

void MainWindow::referenceSlotChanged(int slot, const std::string& text) {
    references_->setSlot(slot, local(text));
    if (!text.empty()) referencesFold_->setOpen(true);
}

void MainWindow::showColumn(int col) {
    core_.document.columns.column(col).visible = true;
    model_->columnsChanged();
}

void MainWindow::countsCaptionChanged(bool countsOn) {
    keypad_->setCountsOn(countsOn);
}
void MainWindow::beep() {
    QApplication::beep();
}
void MainWindow::columnLayoutChanged() {
    model_->columnsChanged();
}

QString MainWindow::statusText() const {
    return status_->text();
}

void MainWindow::focusTape() {
    if (view_->isVisible()) view_->setFocus();
}

// Keys that no widget took (the focus is on a toolbar button, or nowhere) are the
// calculator's: figures and operators, and Esc and Backspace to correct them.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain && event->key() == Qt::Key_Escape) {
        core_.engine.keyFront(key::kClearEntry);
        return;
    }
    if (plain && event->key() == Qt::Key_Backspace) {
        core_.engine.pressBackspace();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 128 && text[0].isPrint()) {
        status_->clear();
        typedChar(text[0].toLatin1());
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// A desktop switching between light and dark takes the built-in colours along at once.
void MainWindow::followPalette() {
    applyViewOptions();
    model_->columnsChanged();
    core_.engine.refreshDisplay();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A recalculation runs to its end (or its Cancel) before the tape may go.
    if (progress_.running() || core_.documents.savePrompt() == answer::kCancel) {
        event->ignore();
        return;
    }
    if (options_) options_->close();
    if (closing_) {
        event->accept();
        emit closedForGood();
        return;
    }
    // The user has answered No for this tape: neither the fresh tape a restore starts nor the
    // tray's Exit may ask about it again. A save that was chosen but did not happen leaves the
    // tape modified, so it is offered again rather than lost.
    if (core_.document.saveAnswer == answer::kNo) core_.engine.setModified(false);
    event->ignore();
    hide();
    emit hiddenToTray();
}

}  // namespace talvex
