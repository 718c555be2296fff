// The main window's side of printing: the page layout dialog, the paper the tape is drawn on,
// and the options dialog's printer tab.
#include <QFont>

#include "engine/Engine.h"
#include "platform/LayoutDialog.h"
#include "platform/MainWindow.h"
#include "platform/OptionsDialog.h"
#include "platform/PaperFrame.h"
#include "platform/TapeModel.h"
#include "printing/PageLayout.h"
#include "session/TapeSession.h"

namespace talvex {

namespace {

// A printer font of p points sets 120 / p characters to the inch; the ruler measures the
// tape font the same way.
constexpr double kCharsPerInchPoints = 120.0;

}  // namespace

void MainWindow::attachPrinting(PageLayout& layout, PrintCommands& commands) {
    layout_ = &layout;
    printCommands_ = &commands;
    layout.onTapeWidthChanged = [this] { applyPaper(); };
    applyPaper();
}

void MainWindow::openPageLayout() {
    if (!layout_) return;
    if (!layoutDialog_) {
        layoutDialog_ = new LayoutDialog(
            *layout_, core_.settings, core_.config, [this] { return core_.engine.state().tapeOn; },
            this);
        connect(layoutDialog_, &LayoutDialog::layoutChanged, this, &MainWindow::applyPaper);
    }
    layoutDialog_->fill();
    layoutDialog_->exec();
    applyPaper();
}

void MainWindow::applyPaper() {
    if (!layout_) return;
    const double points = model_->tapeFont().pointSizeF();
    const double charsPerInch = kCharsPerInchPoints / (points > 0 ? points : 10);
    TapePaper paper;
    paper.width = layout_->horizontal(layout_text::kWidth, charsPerInch);
    paper.left = layout_->horizontal(layout_text::kLeft, charsPerInch);
    paper.lineNoGap = layout_->horizontal(layout_text::kLineNo, charsPerInch);
    paper.right = layout_->horizontal(layout_text::kRight, charsPerInch);
    paper_->setPaper(paper);
}

LayoutDialog* MainWindow::layoutDialog() const {
    return layoutDialog_;
}

OptionsDialog* MainWindow::optionsDialog() const {
    return options_;
}

void MainWindow::showPrinterOptions() {
    openOptions(layout_ ? OptionsDialog::kPrinterTab : 0);
}

}  // namespace talvex
