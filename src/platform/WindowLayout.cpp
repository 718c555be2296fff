// The main window's layout: the tape with its ruler and notes pad, the reference panel and the
// calculator column, and how they share the room as the window is resized.
#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "platform/AddinPanels.h"
#include "platform/DisplayBar.h"
#include "platform/FoldingPanel.h"
#include "platform/Keypad.h"
#include "platform/MainWindow.h"
#include "platform/PaperFrame.h"
#include "platform/ReferencePanel.h"
#include "platform/Ruler.h"
#include "platform/TapeModel.h"
#include "platform/TapeView.h"
#include "platform/ThemeColours.h"
#include "session/TapeSession.h"

namespace talvex {

namespace {

constexpr int kOpenNotesHeight = 140;
constexpr int kOpenReferencesWidth = 200;
// The most of the window's width the keypad and display may take, unless the keys need more.
constexpr int kCalculatorShare = 35;

}  // namespace

void MainWindow::buildLayout() {
    model_ = new TapeModel(core_.engine, core_.document, core_.options, this);
    // Queued, so the widgets have their new palette before the colours are laid over it.
    connect(new PaletteWatcher(this), &PaletteWatcher::changed, this, &MainWindow::followPalette,
            Qt::QueuedConnection);
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

    ruler_ = new Ruler(this);
    connect(ruler_, &Ruler::clicked, this, &MainWindow::openPageLayout);
    paper_ = new PaperFrame(ruler_, view_, this);
    // Growing or shrinking, the window gives and takes the tape's room first: the panels
    // around it keep their sizes (no stretch).
    auto* tapeSide = tapeSide_ = new QSplitter(Qt::Vertical, this);
    tapeSide->addWidget(paper_);
    tapeSide->addWidget(notes_);
    tapeSide->setStretchFactor(0, 1);
    tapeSide->setStretchFactor(1, 0);
    tapeSide->setChildrenCollapsible(false);
    notes_->setMinimumHeight(foldedNotesHeight());
    notesFold_ = new FoldingPanel(tapeSide, notes_, paper_, foldedNotesHeight(), kOpenNotesHeight);
    notes_->installEventFilter(this);

    auto* calculator = calculator_ = new QWidget(this);
    auto* right = new QVBoxLayout(calculator);
    right->setContentsMargins(6, 6, 6, 6);
    right->addWidget(display_);
    // The keys take the height up to their largest size; what is left stays under them.
    right->addWidget(keypad_, 10);
    // The add-in panels take their place under the keys: the keys give up room down to their
    // smallest size before the panels' buttons shrink, and the room the keys cannot use stays
    // under the panels.
    addinPanels_ = new AddinPanels(core_.addins.framework(), this);
    right->addWidget(addinPanels_);

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
    // The messenger panel runs across the top: over the whole window with "Max Width:", over
    // the tape alone without it.
    top_ = new QSplitter(Qt::Vertical, this);
    top_->addWidget(central);
    top_->setStretchFactor(0, 1);
    top_->setChildrenCollapsible(false);
    setCentralWidget(top_);
    buildMessenger();

    status_ = new QLabel(this);
    status_->setObjectName("Status");
    statusBar()->addWidget(status_, 1);
    resize(1040, 680);
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

}  // namespace talvex
