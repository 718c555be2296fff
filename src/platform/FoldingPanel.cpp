#include "platform/FoldingPanel.h"

#include <QEvent>
#include <QList>
#include <QMetaObject>
#include <QSplitter>
#include <QWidget>
#include <algorithm>

namespace talvex {

FoldingPanel::FoldingPanel(QSplitter* splitter, QWidget* panel, QWidget* tape, int foldedSize,
                           int openSize)
    : QObject(panel),
      splitter_(splitter),
      panel_(panel),
      tape_(tape),
      foldedSize_(foldedSize),
      openSize_(openSize) {
    splitter_->setCollapsible(splitter_->indexOf(panel_), foldedSize == 0);
    splitter_->installEventFilter(this);
}

// The splitter lays its panels out after the event: the fold follows once it has.
bool FoldingPanel::eventFilter(QObject* watched, QEvent* event) {
    const bool laidOut = event->type() == QEvent::Resize || event->type() == QEvent::Show;
    if (pending_ && watched == splitter_ && laidOut)
        QMetaObject::invokeMethod(this, &FoldingPanel::apply, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

bool FoldingPanel::isOpen() const {
    return splitter_->sizes().value(splitter_->indexOf(panel_)) > foldedSize_;
}

void FoldingPanel::setOpen(bool open) {
    open_ = open;
    apply();
}

void FoldingPanel::apply() {
    const int panel = splitter_->indexOf(panel_);
    const int tape = splitter_->indexOf(tape_);
    QList<int> sizes = splitter_->sizes();
    if (panel < 0 || tape < 0 || sizes.size() <= std::max(panel, tape)) return;
    const int room = sizes[tape] + sizes[panel];
    pending_ = !splitter_->isVisible() || room <= 0;
    if (pending_) return;
    const int size = std::min(open_ ? openSize_ : foldedSize_, open_ ? room / 2 : room);
    if (sizes[panel] == size) return;
    sizes[tape] = std::max(0, room - size);
    sizes[panel] = size;
    splitter_->setSizes(sizes);
}

}  // namespace talvex
