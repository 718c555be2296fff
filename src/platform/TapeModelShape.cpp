// How the model follows the tape's shape: rows inserted and removed where the engine says,
// lines keyed at the end, and the changed rows of a long recalculation announced at once.
#include <QModelIndex>
#include <QTimer>
#include <algorithm>

#include "engine/Engine.h"
#include "platform/TapeFonts.h"
#include "platform/TapeModel.h"

namespace talvex {

bool TapeModel::shapeChanged() const {
    return firstShownRow() != firstRow_ || engineColumnCount() != columns_;
}

void TapeModel::resetShape() {
    keptFirst_ = 0;
    keptLast_ = -1;
    tallyStale_ = true;
    beginResetModel();
    firstRow_ = firstShownRow();
    lastRow_ = engine_.state().lastRow;
    columns_ = engineColumnCount();
    // Choosing the font may try every fixed face on the desktop: only a changed font asks.
    if (!(fontChosenFor_ == document_.font)) {
        font_ = tapeFontFor(document_.font);
        fontChosenFor_ = document_.font;
    }
    endResetModel();
}

// A change of count that the engine does not place (a line keyed at the end, an undo, a tape
// loaded) comes or goes at the end; what moved inside the tape follows as changed rows.
void TapeModel::syncShape() {
    if (shapeChanged()) {
        resetShape();
        return;
    }
    const int last = engine_.state().lastRow;
    if (last < lastRow_) {
        removeAtEnd(last);
    } else if (last > lastRow_) {
        emitKept();
        tally_.insert(lastRow_ + 1, last - lastRow_);
        tallyRows(lastRow_ + 1, last);
        beginInsertRows(QModelIndex(), rowCount(), last - firstRow_);
        lastRow_ = last;
        endInsertRows();
    }
}

void TapeModel::removeAtEnd(int last) {
    emitKept();
    tallyStale_ = true;
    reshaping_ = true;
    beginRemoveRows(QModelIndex(), last - firstRow_ + 1, rowCount() - 1);
    lastRow_ = last;
    endRemoveRows();
    reshaping_ = false;
}

// Only a shift the model can show row for row is announced as one; anything else (rows hidden
// at the top, a count that does not add up) shows the tape afresh.
bool TapeModel::announcesShift(int row, int count) const {
    if (count == 0 || row < firstRow_ || row > lastRow_ + (count > 0 ? 1 : 0)) return false;
    if (engine_.state().lastRow != lastRow_ + count || engineColumnCount() != columns_)
        return false;
    return firstShownRow() == firstRow_;
}

void TapeModel::beginShift(int row, int count) {
    emitKept();
    reshaping_ = true;
    shift_ = {row, count};
}

void TapeModel::endShift() {
    lastRow_ += shift_.count;
    shift_ = {};
}

void TapeModel::tapeRowsInserted(int row, int count) {
    if (!announcesShift(row, count)) {
        resetShape();
        return;
    }
    tally_.insert(row, count);
    tallyRows(row, row + count - 1);
    beginShift(row, count);
    beginInsertRows(QModelIndex(), row - firstRow_, row - firstRow_ + count - 1);
    endShift();
    endInsertRows();
    reshaping_ = false;
}

void TapeModel::tapeRowsRemoved(int row, int count) {
    if (!announcesShift(row, -count)) {
        resetShape();
        return;
    }
    tally_.remove(row, count);
    beginShift(row, -count);
    beginRemoveRows(QModelIndex(), row - firstRow_, row - firstRow_ + count - 1);
    endShift();
    endRemoveRows();
    reshaping_ = false;
}

// Line numbers change only with the tape's shape (rows hidden, inserted or removed), which the
// row signals already carry; a header view would walk every section of a changed range.
void TapeModel::emitAllChanged() {
    keptFirst_ = 0;
    keptLast_ = -1;
    if (rowCount() <= 0 || columns_ <= 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1));
}

void TapeModel::emitCellChanged(int tapeRow, int dataColumn) {
    const int row = modelRow(tapeRow);
    const int column = modelColumn(dataColumn);
    if (row < 0 || column < 0 || column >= columns_) return;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

// A recalculation rewrites its lines one by one; the views hear of them once, when it is done
// or before the rows next move, not once a line. Its progress lets events through, and a
// repaint of the tape each time would only slow it down.
void TapeModel::keepChanged(int first, int last) {
    if (keptFirst_ > keptLast_) QTimer::singleShot(0, this, &TapeModel::emitKeptAfterReplay);
    keptFirst_ = keptFirst_ > keptLast_ ? first : std::min(keptFirst_, first);
    keptLast_ = std::max(keptLast_, last);
}

void TapeModel::emitKeptAfterReplay() {
    if (engine_.replaying() && keptFirst_ <= keptLast_)
        QTimer::singleShot(0, this, &TapeModel::emitKeptAfterReplay);
    else
        emitKept();
}

void TapeModel::emitKept() {
    const int first = std::max(keptFirst_, firstRow_);
    const int last = std::min(keptLast_, lastRow_);
    keptFirst_ = 0;
    keptLast_ = -1;
    if (first > last || columns_ <= 0) return;
    emit dataChanged(index(modelRow(first), 0), index(modelRow(last), columns_ - 1));
}

void TapeModel::rowsChanged(int first, int last) {
    syncShape();
    if (first > last) {
        tallyStale_ = true;
        emitAllChanged();
        return;
    }
    tallyRows(first, last);
    first = std::max(first, firstRow_);
    last = std::min(last, lastRow_);
    if (first > last || columns_ <= 0) return;
    keepChanged(first, last);
    if (!engine_.replaying()) emitKept();
}

void TapeModel::rowCountChanged(int /*lastRow*/) {
    syncShape();
}

void TapeModel::columnsChanged() {
    resetShape();
}

}  // namespace talvex
