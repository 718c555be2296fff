#include "platform/MainWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "platform/Colours.h"
#include "platform/DisplayBar.h"
#include "platform/FoldingPanel.h"
#include "platform/Keypad.h"
#include "platform/OptionsDialog.h"
#include "platform/ReferencePanel.h"
#include "platform/TapeFonts.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr int kColourLcdBackground = 15;
constexpr int kColourKeypadBack = 12;
constexpr int kColourSubpads = 13;
constexpr int kColourNotesBack = 9;
constexpr int kColourNotesText = 10;
constexpr int kOptionRuler = 6;
constexpr int kOptionKeypad = 12;
constexpr int kOptionLeftSubpad = 13;
constexpr int kOptionTapeOnGotoButtons = 16;
constexpr int kOptionDisplayBar = 14;
constexpr int kOptionNotes = 7;
constexpr int kOpenNotesHeight = 140;
constexpr int kOpenReferencesWidth = 200;
// The most of the window's width the keypad and display may take, unless the keys need more.
constexpr int kCalculatorShare = 35;

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

}  // namespace

MainWindow::MainWindow(WindowCore core, QWidget* parent) : QMainWindow(parent), core_(core) {
    setObjectName("MainWindow");
    setWindowTitle("Talvex");
    buildLayout();
    buildMenus();
    buildToolbar();
    connectWidgets();
    documentChanged();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout() {
    model_ = new TapeModel(core_.engine, core_.document, core_.options, this);
    view_ = new TapeView(this);
    view_->setObjectName("Table1");
    view_->setModel(model_);
    display_ = new DisplayBar(this);
    display_->setObjectName("Display");
    keypad_ = new Keypad(core_.engine.format().decSep(), this);
    keypad_->setObjectName("Keys");
    references_ = new ReferencePanel(this);
    references_->setObjectName("Ref");
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName("Notes");
    notes_->setPlaceholderText(tr("Notes"));
    notes_->setWhatsThis(tr("The notes pad: text kept with the tape."));

    ruler_ = new QLabel(tr("Ruler"), this);
    ruler_->setObjectName("Ruler");
    // The page layout it leads to comes with printing.
    ruler_->setToolTip(tr("VantPrint Ruler"));
    ruler_->setFrameShape(QFrame::StyledPanel);
    // Growing or shrinking, the window gives and takes the tape's room first: the panels
    // around it keep their sizes (no stretch).
    auto* tapeSide = new QSplitter(Qt::Vertical, this);
    tapeSide->addWidget(ruler_);
    tapeSide->addWidget(view_);
    tapeSide->addWidget(notes_);
    tapeSide->setStretchFactor(0, 0);
    tapeSide->setStretchFactor(1, 1);
    tapeSide->setStretchFactor(2, 0);
    tapeSide->setChildrenCollapsible(false);
    notes_->setMinimumHeight(foldedNotesHeight());
    notesFold_ = new FoldingPanel(tapeSide, notes_, view_, foldedNotesHeight(), kOpenNotesHeight);
    notes_->installEventFilter(this);

    auto* calculator = calculator_ = new QWidget(this);
    auto* right = new QVBoxLayout(calculator);
    right->setContentsMargins(6, 6, 6, 6);
    right->addWidget(display_);
    // The keys take the height up to their largest size; what is left stays under them.
    right->addWidget(keypad_, 10);
    // The add-in panels (devices and calculation functions) take their place under the keypad.
    addinPanels_ = new QWidget(this);
    addinPanels_->setObjectName("AddinPanels");
    addinPanels_->setLayout(new QHBoxLayout);
    addinPanels_->layout()->setContentsMargins(0, 0, 0, 0);
    addinPanels_->hide();
    right->addWidget(addinPanels_);
    right->addStretch(1);

    auto* central = central_ = new QSplitter(Qt::Horizontal, this);
    central->addWidget(tapeSide);
    central->addWidget(references_);
    central->addWidget(calculator);
    central->setStretchFactor(0, 1);
    central->setStretchFactor(1, 0);
    central->setStretchFactor(2, 0);
    central->setChildrenCollapsible(false);
    references_->setMaximumWidth(kOpenReferencesWidth);
    referencesFold_ = new FoldingPanel(central, references_, tapeSide, 0, kOpenReferencesWidth);
    central->installEventFilter(this);
    // The messenger panel runs across the top of the window, over the tape and the keypad.
    messenger_ = new QWidget(this);
    messenger_->setObjectName("Logo");
    messenger_->hide();
    auto* window = new QWidget(this);
    auto* column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(messenger_);
    column->addWidget(central, 1);
    setCentralWidget(window);

    status_ = new QLabel(this);
    status_->setObjectName("Status");
    statusBar()->addWidget(status_, 1);
    resize(1040, 680);
}

void MainWindow::connectWidgets() {
    Engine& engine = core_.engine;
    connect(view_, &TapeView::keyChar, this, [this](char c) { typedChar(c); });
    connect(view_, &TapeView::keyCode, this, [&engine](int code) { engine.keyFront(code); });
    connect(view_, &TapeView::enterPressed, this, [&engine] { engine.pressEnter(); });
    connect(view_, &TapeView::backspacePressed, this, [&engine] { engine.pressBackspace(); });
    connect(view_, &TapeView::insertLine, this, [&engine] { engine.insertRow(); });
    connect(view_, &TapeView::deleteLine, this, [&engine] { engine.deleteRow(); });
    connect(view_, &TapeView::rowSelected, this, [this, &engine](int row) {
        if (!engine.clickRow(row)) view_->showTapeRow(engine.curRow());
    });
    connect(keypad_, &Keypad::keyPressed, this, [this](int code) { keypadKey(code); });
    connect(keypad_, &Keypad::groupModeChosen, this, [this, &engine](int mode) {
        status_->clear();
        engine.setGroupMode(mode);
        engine.keyFront(key::kGrandTotal);
        view_->setFocus();
    });
    connect(keypad_, &Keypad::gotoPressed, this, [this, &engine](int index) {
        engine.gotoLine(index);
        view_->setFocus();
    });
    connect(keypad_, &Keypad::tapeSwitchPressed, this, [this] { toggleTapeSwitch(); });
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
    keypad_->setGroupMode(core_.engine.entry().groupMode);
}

void MainWindow::keypadKey(int code) {
    status_->clear();
    core_.engine.keyFront(code);
    view_->setFocus();
}

void MainWindow::toggleTapeSwitch() {
    core_.settings.setOption(OptionTable::kTapeOn, core_.engine.tapeOn() ? 0 : 1);
    keypad_->setTapeOn(core_.engine.tapeOn());
    model_->columnsChanged();
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
    keypad_->setTapeOn(core_.engine.tapeOn());
    keypad_->setCountsOn(core_.engine.settings().countsOn);
    applyConfiguration();
    applyViewOptions();
    syncViewSwitches();
    core_.engine.setLCDColor();
    core_.engine.updateLCD();
    view_->showTapeRow(core_.engine.curRow());
    view_->setCurrentDataColumn(cursorColumn);
    notes_->setFont(notesFontFor(core_.document.font, QApplication::font()));
}

void MainWindow::applyViewOptions() {
    const OptionTable& options = core_.options;
    keypad_->setVisible(options.option(kOptionKeypad) != 0);
    keypad_->setLeftSubpadVisible(options.option(kOptionLeftSubpad) != 0);
    keypad_->setNavigationVisible(options.option(kOptionTapeOnGotoButtons) != 0);
    keypad_->setGroupMode(core_.engine.entry().groupMode);
    display_->setVisible(options.option(kOptionDisplayBar) != 0);
    // The compact configuration is the calculator with its tape: no notes, no reference panel.
    const bool compact = core_.settings.compact();
    ruler_->setVisible(!compact && options.option(kOptionRuler) != 0);
    notes_->setVisible(!compact && options.option(kOptionNotes) != 0);
    references_->setVisible(!compact);
    display_->setBackground(colourFromSetting(options.colour(kColourLcdBackground)));
    keypad_->setColours(colourFromSetting(options.colour(kColourKeypadBack)),
                        colourFromSetting(options.colour(kColourSubpads)));
    // The notes keep their own paper under any desktop, so their ink and their faint hint are
    // measured against that paper, not the desktop's.
    const QColor notesBack = colourFromSetting(options.colour(kColourNotesBack));
    const QColor notesInk =
        readableOn(colourFromSetting(options.colour(kColourNotesText)), notesBack);
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

void MainWindow::showDisplay(const std::string& text) {
    display_->setText(local(text));
    model_->entryChanged();
    showModified();
}

void MainWindow::showModified() {
    setWindowModified(core_.engine.modified());
}

void MainWindow::setDisplayColour(int colourIndex) {
    display_->setTextColour(colourFromSetting(core_.options.colour(colourIndex)));
}

void MainWindow::rowsChanged(int first, int last) {
    model_->rowsChanged(first, last);
    showModified();
}
void MainWindow::rowCountChanged(int lastRow) {
    model_->rowCountChanged(lastRow);
    showModified();
}
void MainWindow::currentRowChanged(int row) {
    view_->showTapeRow(row);
}

void MainWindow::referenceSlotChanged(int slot, const std::string& text) {
    references_->setSlot(slot, local(text));
    if (!text.empty()) referencesFold_->setOpen(true);
}

// Folded, the pad is one line with its hint and no scroll bar.
void MainWindow::openNotes(bool open) {
    notes_->setVerticalScrollBarPolicy(open ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    notesFold_->setOpen(open);
}

// One line of the notes pad shows while it is empty: enough to see it and click into it.
int MainWindow::foldedNotesHeight() const {
    return notes_->fontMetrics().lineSpacing() + 2 * notes_->frameWidth() +
           2 * static_cast<int>(notes_->document()->documentMargin());
}

// The calculator takes what its keys need up to a share of the window, and never more than it
// can use; the tape takes the rest, so a small window still shows the tape's figures.
void MainWindow::fitCalculator() {
    QList<int> sizes = central_->sizes();
    const int calculator = central_->indexOf(calculator_);
    const int tape = 0;
    if (!calculator_->isVisible() || sizes.size() <= calculator) return;
    const int room = sizes[tape] + sizes[calculator];
    const int least = calculator_->minimumSizeHint().width();
    // The keypad's keys stop growing at a comfortable size; the display needs no more.
    const QMargins margins = calculator_->layout()->contentsMargins();
    const int most = keypad_->isVisible()
                         ? keypad_->maximumWidth() + margins.left() + margins.right()
                         : calculator_->sizeHint().width();
    const int wanted = std::max(least, std::min(room * kCalculatorShare / 100, most));
    if (wanted == sizes[calculator] || room - wanted < 0) return;
    sizes[tape] = room - wanted;
    sizes[calculator] = wanted;
    central_->setSizes(sizes);
}

// The notes pad opens while the user writes in it and folds again when left empty.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &MainWindow::fitCalculator, Qt::QueuedConnection);
    if (watched == notes_ && event->type() == QEvent::FocusIn) openNotes(true);
    if (watched == notes_ && event->type() == QEvent::FocusOut && notes_->toPlainText().isEmpty())
        openNotes(false);
    return QMainWindow::eventFilter(watched, event);
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

// Long recalculations keep the window alive and can be cancelled. The dialog belongs to one
// run: it goes when the run ends, and its Cancel never reaches a later run. Until it shows,
// keys and clicks wait for the run to end; once it shows, it keeps them from every other
// window. Nothing from another process is handled halfway through a run.
bool MainWindow::recalcProgress(int row, int lastRow) {
    if (!progress_) {
        progress_ =
            new QProgressDialog(tr("Recalculating the tape..."), tr("Cancel"), 0, lastRow, this);
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(400);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    progress_->setMaximum(lastRow);
    progress_->setValue(row);
    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeSocketNotifiers;
    if (!progress_->isVisible()) flags |= QEventLoop::ExcludeUserInputEvents;
    QApplication::processEvents(flags);
    return !progress_->wasCanceled();
}

void MainWindow::recalcEnded() {
    if (!progress_) return;
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
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

void MainWindow::closeEvent(QCloseEvent* event) {
    // A recalculation runs to its end (or its Cancel) before the tape may go.
    if (progress_ || core_.documents.savePrompt() == answer::kCancel) {
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
