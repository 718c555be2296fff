#include "platform/ProgressDialogPort.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>

namespace talvex {

void ProgressDialogPort::begin(std::string_view caption, int steps) {
    caption_ = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    showDialog(steps);
}

void ProgressDialogPort::showDialog(int steps) {
    if (dialog_) return;
    dialog_ = new QProgressDialog(caption_, QObject::tr("Cancel"), 0, steps, parent_);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(400);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
}

bool ProgressDialogPort::step(int done, int steps) {
    showDialog(steps);
    dialog_->setMaximum(steps);
    dialog_->setValue(done);
    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeSocketNotifiers;
    if (!dialog_->isVisible()) flags |= QEventLoop::ExcludeUserInputEvents;
    QApplication::processEvents(flags);
    return !dialog_->wasCanceled();
}

void ProgressDialogPort::end() {
    if (!dialog_) return;
    // A dialog not yet shown would still show itself when its delay ran out, and a modal
    // dialog opened next (a print preview) keeps the deferred delete from happening: reset
    // stops that timer.
    dialog_->reset();
    dialog_->hide();
    dialog_->deleteLater();
    dialog_ = nullptr;
}

}  // namespace talvex
