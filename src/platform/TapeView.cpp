#include "platform/TapeView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRect>
#include <QRectF>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "engine/KeyCodes.h"
#include "platform/AmountValidator.h"
#include "platform/LaidOutTexts.h"
#include "platform/TapeModel.h"

namespace talvex {

namespace {

// A column of width 0 keeps room for a click, so it can still be found and widened.
constexpr int kMinColumnCharacters = 2;
// Below this the description stops giving way and the tape scrolls sideways instead.
constexpr int kMinDescriptionCharacters = 12;
constexpr int kRowPadding = 6;
constexpr qreal kHighlightStrength = 0.3;

// The strip beside and below the sections shows the header's own colour, not the desktop's.
void paintHeaderGround(QWidget* header, const QColor& colour) {
    QPalette pal = header->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Button, colour);
    header->setPalette(pal);
}

QColor blend(const QColor& base, const QColor& tint, qreal amount) {
    return QColor::fromRgbF(base.redF() + (tint.redF() - base.redF()) * amount,
                            base.greenF() + (tint.greenF() - base.greenF()) * amount,
                            base.blueF() + (tint.blueF() - base.blueF()) * amount);
}

// A header section as its ground, a rule along its far edges and its text. The tape repaints
// its headers with every line added, and the style's sections, with their bevels, gradients
// and text layout, take several times as long as the tape's own cells.
void paintFlatSection(const QHeaderView& header, QPainter& painter, const QRect& rect,
                      int logicalIndex, LaidOutTexts& texts) {
    const QAbstractItemModel* tape = header.model();
    if (!tape || !rect.isValid()) return;
    const bool horizontal = header.orientation() == Qt::Horizontal;
    const auto role = [&](int r) {
        return tape->headerData(logicalIndex, header.orientation(), r);
    };
    const QBrush ground = role(Qt::BackgroundRole).value<QBrush>();
    painter.fillRect(rect, ground.style() == Qt::NoBrush ? header.palette().button() : ground);
    const QColor rule = header.palette().color(QPalette::Mid);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, rule);
    if (horizontal) painter.fillRect(rect.right(), rect.top(), 1, rect.height(), rule);
    const QVariant ink = role(Qt::ForegroundRole);
    painter.setPen(ink.isValid() ? ink.value<QBrush>().color()
                                 : header.palette().color(QPalette::ButtonText));
    const QVariant font = role(Qt::FontRole);
    if (font.isValid()) painter.setFont(font.value<QFont>());
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const QRect text = rect.adjusted(margin, 0, -margin, 0);
    const QVariant aligned = role(Qt::TextAlignmentRole);
    const Qt::Alignment alignment = aligned.isValid()
                                        ? Qt::Alignment(aligned.toInt()) & Qt::AlignHorizontal_Mask
                                        : (horizontal ? Qt::AlignHCenter : Qt::AlignRight);
    const QString caption = role(Qt::DisplayRole).toString();
    if (!texts.draw(painter, QRectF(text), caption, alignment))
        painter.drawText(text, alignment | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(caption, Qt::ElideRight, text.width()));
}

// The line numbers are as wide as the layout says. QHeaderView would measure a few hundred
// sections each time the tape grows by a line, which makes keying on a long tape crawl.
class LineNumberHeader : public QHeaderView {
  public:
    explicit LineNumberHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return QSize(minimumWidth(), defaultSectionSize()); }

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        paintFlatSection(*this, *painter, rect, logicalIndex, texts_);
    }

  private:
    mutable LaidOutTexts texts_;
};

// The column titles, flat like the line numbers.
class ColumnTitleHeader : public QHeaderView {
  public:
    explicit ColumnTitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        paintFlatSection(*this, *painter, rect, logicalIndex, texts_);
    }

  private:
    mutable LaidOutTexts texts_;
};

}  // namespace

// Paints the cells as tape: the line colours stay on the highlighted line (a tint of the
// paper, not the desktop's selection colour), and the grid lines are drawn here so the
// vertical and horizontal ones can be switched apart.
class TapeCellDelegate : public QStyledItemDelegate {
  public:
    struct Look {
        QColor grid;
        QColor frame;
        QColor highlight;
        bool vertical = true;
        bool horizontal = true;
        bool highlightLine = true;
    };

    using QStyledItemDelegate::QStyledItemDelegate;
    void setLook(const Look& look) { look_ = look; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        if (!lookOf(index, opt)) initStyleOption(&opt, index);
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        const bool focused = opt.state.testFlag(QStyle::State_HasFocus);
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (selected && look_.highlightLine) opt.backgroundBrush = look_.highlight;
        paintCell(painter, opt);
        paintLines(painter, opt.rect, focused);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto* model = qobject_cast<const TapeModel*>(index.model());
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (model && line && index.column() == model->amountColumn())
            line->setValidator(new AmountValidator(model->numberSymbols(), line));
        return editor;
    }

  private:
    // The tape's own cells are asked in one call, not role by role through variants.
    bool lookOf(const QModelIndex& index, QStyleOptionViewItem& opt) const {
        const auto* tape = qobject_cast<const TapeModel*>(index.model());
        TapeModel::CellLook look;
        if (!tape) return false;
        if (!tape->cellLook(index, look)) return true;
        opt.text = look.text;
        opt.font = tape->tapeFont();
        opt.displayAlignment = look.alignment;
        opt.palette.setColor(QPalette::Text, look.ink);
        opt.backgroundBrush = look.ground;
        return true;
    }

    // A cell is its ground and one line of text, cut short with an ellipsis when it does not
    // fit, at the margins the column widths allow for; the style's general item, with its
    // icons and text layout, takes several times as long, which shows with every key.
    void paintCell(QPainter* painter, const QStyleOptionViewItem& opt) const {
        if (opt.backgroundBrush.style() != Qt::NoBrush)
            painter->fillRect(opt.rect, opt.backgroundBrush);
        if (opt.text.isEmpty()) return;
        const QStyle* style = opt.widget ? opt.widget->style() : nullptr;
        const int margin =
            (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) : 0) + 1;
        const QRect text = opt.rect.adjusted(margin, 0, -margin, 0);
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(QPalette::Text));
        // The blanks after an amount line it up on its separator: they count in its width.
        if (texts_.draw(*painter, QRectF(text), opt.text, opt.displayAlignment)) return;
        QTextOption layout(opt.displayAlignment);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setFlags(QTextOption::IncludeTrailingSpaces);
        painter->drawText(
            QRectF(text),
            QFontMetrics(opt.font).elidedText(opt.text, opt.textElideMode, text.width()), layout);
    }

    // The rules are one-pixel fills: a line drawn with a pen costs a pen change and the line
    // drawer's setup for every cell, several times the fill. The pen is put back by hand:
    // saving the whole painter for every cell costs more than the frame itself.
    void paintLines(QPainter* painter, const QRect& rect, bool focused) const {
        if (look_.vertical)
            painter->fillRect(rect.right(), rect.top(), 1, rect.height(), look_.grid);
        if (look_.horizontal)
            painter->fillRect(rect.left(), rect.bottom(), rect.width(), 1, look_.grid);
        if (!focused) return;
        const QPen pen = painter->pen();
        painter->setPen(QPen(look_.frame, 1, Qt::DotLine));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        painter->setPen(pen);
    }

    Look look_;
    mutable LaidOutTexts texts_;
};

TapeView::TapeView(QWidget* parent) : QTableView(parent), delegate_(new TapeCellDelegate(this)) {
    setVerticalHeader(new LineNumberHeader(this));
    setHorizontalHeader(new ColumnTitleHeader(this));
    setItemDelegate(delegate_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Shift and Ctrl with a click or an arrow select several lines, for copying them.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TapeView::userResizedColumn);
    // The paper is painted here, all of it, so a repaint of the tape need not first repaint
    // every widget behind it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void TapeView::paintEvent(QPaintEvent* event) {
    {
        QPainter paper(viewport());
        paper.fillRect(event->rect(), palette().brush(QPalette::Base));
    }
    QTableView::paintEvent(event);
}

void TapeView::setModel(QAbstractItemModel* model) {
    if (model_) disconnect(model_, nullptr, this, nullptr);
    QTableView::setModel(model);
    model_ = qobject_cast<TapeModel*>(model);
    if (!model_) return;
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyLayout();
        followEngine();
    });
    // A row inserted or removed inside the tape renumbers the lines below it.
    const auto reshaped = [this] {
        verticalHeader()->viewport()->update();
        applyLineNumbers();
        followEngine();
    };
    connect(model_, &QAbstractItemModel::rowsInserted, this, reshaped);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, reshaped);
    applyLayout();
    followEngine();
}

int TapeView::currentDataColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? TapeModel::dataColumn(index.column()) : 0;
}

void TapeView::setCurrentDataColumn(int dataColumn) {
    const int column = TapeModel::modelColumn(dataColumn);
    if (!model_) return;
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (column < 0 || column >= model_->columnCount() || isColumnHidden(column)) return;
    QScopedValueRollback<bool> guard(restoring_, true);
    selectOnly(model_->index(row, column), selectionModel()->isRowSelected(row, QModelIndex()));
}

// A description finished with Enter is followed by its amount: the cursor goes to the
// calculator's column of the same line, ready for the figure.
void TapeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (hint != QAbstractItemDelegate::SubmitModelCache || !model_) return;
    const int amount = model_->amountColumn();
    if (amount >= 0 && !isColumnHidden(amount) && currentIndex().column() != amount)
        setCurrentDataColumn(TapeModel::dataColumn(amount));
}

// The calculator's column: where the keypad's digits appear.
int TapeView::startColumn() const {
    if (!model_) return 0;
    const int amount = model_->amountColumn();
    if (amount >= 0 && !isColumnHidden(amount)) return amount;
    for (int column = 0; column < model_->columnCount(); ++column)
        if (!isColumnHidden(column)) return column;
    return 0;
}

void TapeView::showRowAtTop(int tapeRow) {
    const int row = model_ ? model_->modelRow(tapeRow) : -1;
    if (row < 0 || model_->columnCount() <= 0) return;
    scrollTo(model_->index(row, startColumn()), QAbstractItemView::PositionAtTop);
}

void TapeView::showTapeRow(int tapeRow) {
    const int row = model_ ? model_->modelRow(tapeRow) : -1;
    if (row < 0 || model_->columnCount() <= 0) return;
    int column = currentIndex().isValid() ? currentIndex().column() : startColumn();
    // A refused move puts the cursor back into the cell the user left.
    if (proposing_) column = row == currentIndex().row() ? column : leftColumn_;
    if (column < 0 || isColumnHidden(column)) column = startColumn();
    const QModelIndex index = model_->index(row, column);
    // The engine went where the user went: the lines the user is selecting stay selected.
    const bool followsUser = proposing_ && row == currentIndex().row();
    {
        QScopedValueRollback<bool> guard(restoring_, true);
        selectOnly(index, followsUser);
        scrollTo(index);
    }
    // Mouse and header handling select the clicked row after announcing it; the selection
    // is put right again once they are done.
    if (proposing_ && !followsUser) {
        pending_ = index;
        QTimer::singleShot(0, this, &TapeView::restorePending);
    }
}

void TapeView::restorePending() {
    if (!pending_.isValid()) return;
    const QModelIndex index = pending_;
    pending_ = QPersistentModelIndex();
    QScopedValueRollback<bool> guard(restoring_, true);
    selectOnly(index, false);
}

// A cursor the engine moved, or put back, selects its line alone.
void TapeView::selectOnly(const QModelIndex& index, bool keepSelection) {
    selectionModel()->setCurrentIndex(
        index, keepSelection ? QItemSelectionModel::NoUpdate
                             : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> TapeView::selectedTapeRows() const {
    std::vector<int> rows;
    if (!model_) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(model_->tapeRow(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TapeView::followEngine() {
    if (model_ && !proposing_) showTapeRow(model_->currentTapeRow());
}

void TapeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!model_ || restoring_ || model_->reshaping() || !current.isValid()) return;
    if (previous.isValid() && previous.row() == current.row()) return;
    const int tapeRow = model_->tapeRow(current.row());
    if (tapeRow == model_->currentTapeRow()) return;
    leftColumn_ = previous.isValid() ? previous.column() : current.column();
    QScopedValueRollback<bool> guard(proposing_, true);
    emit rowSelected(tapeRow);
}

void TapeView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    restorePending();
}

void TapeView::mouseMoveEvent(QMouseEvent* event) {
    QTableView::mouseMoveEvent(event);
    restorePending();
}

void TapeView::keyPressEvent(QKeyEvent* event) {
    const bool editing = state() == QAbstractItemView::EditingState;
    if (model_ && !editing && (handleCalculatorKey(event) || handleTypedText(event))) {
        event->accept();
        // The digits just keyed show on the tape line even where the keypad's path to the
        // model is not wired.
        model_->entryChanged();
    } else {
        QTableView::keyPressEvent(event);
    }
    restorePending();
}

bool TapeView::handleCalculatorKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!plain) return false;
            if (model_->entersOnTape(currentIndex()))
                emit enterPressed();
            else
                moveDown();
            return true;
        case Qt::Key_Escape:
            if (plain) emit keyCode(key::kClearEntry);
            return plain;
        case Qt::Key_F9:
            if (plain) emit keyCode(key::kClear);
            return plain;
        case Qt::Key_Backspace:
            if (plain) emit backspacePressed();
            return plain;
        case Qt::Key_Insert:
            if (mods == Qt::NoModifier) emit insertLine();
            return mods == Qt::NoModifier;
        case Qt::Key_Delete:
            if (mods == Qt::ControlModifier) emit deleteLine();
            return mods == Qt::ControlModifier;
        default:
            return false;
    }
}

// Characters are calculator keys, except in a cell that takes typed text: there the editor
// opens with the character, as in any table, and the key goes no further. (The table's own
// handling passes a key that opened an editor on to the window, which would also key it.)
bool TapeView::handleTypedText(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (model_->flags(currentIndex()).testFlag(Qt::ItemIsEditable)) {
        edit(currentIndex(), QAbstractItemView::AnyKeyPressed, event);
        return true;
    }
    for (const QChar ch : text)
        if (ch.unicode() < 0x80 && ch.isPrint()) emit keyChar(static_cast<char>(ch.unicode()));
    return true;
}

void TapeView::moveDown() {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || index.row() + 1 >= model_->rowCount()) return;
    const QModelIndex below = model_->index(index.row() + 1, index.column());
    setCurrentIndex(below);
    scrollTo(below);
}

int TapeView::characterWidth() const {
    const QFont font = model_ ? model_->tapeFont() : this->font();
    return std::max(1, QFontMetrics(font).horizontalAdvance(QLatin1Char('0')));
}

// Characters of the tape font plus the cell's text margins and its grid line.
int TapeView::pixelsFor(int characters) const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return characters * characterWidth() + 2 * margin + 1;
}

void TapeView::applyLayout() {
    if (!model_) return;
    QScopedValueRollback<bool> guard(applyingLayout_, true);
    setFont(model_->tapeFont());
    applyColours();
    applyRows();
    applyLineNumbers();
    applyColumns();
    horizontalHeader()->setVisible(model_->headersShown());
    viewport()->update();
    verticalHeader()->viewport()->update();
}

// The tape keeps its own paper and ink, so it reads the same under a light or a dark desktop;
// open cell editors inherit them.
void TapeView::applyColours() {
    const QColor paper = model_->paper();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, paper);
    pal.setColor(QPalette::Text, model_->ink());
    setPalette(pal);
    paintHeaderGround(verticalHeader(), model_->lineNumbersBack());
    paintHeaderGround(horizontalHeader(), model_->headersBack());
    // The corner over the line numbers belongs to the headers.
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        paintHeaderGround(corner, model_->headersBack());
    TapeCellDelegate::Look look;
    look.grid = model_->gridColour();
    look.frame = pal.color(QPalette::Text);
    look.highlight =
        blend(paper, pal.color(QPalette::Active, QPalette::Highlight), kHighlightStrength);
    look.vertical = model_->verticalLines();
    look.horizontal = model_->horizontalLines();
    look.highlightLine = model_->highlightLine();
    delegate_->setLook(look);
}

// Every line is one text line high, so a long tape scrolls without measuring rows.
void TapeView::applyRows() {
    const int height = QFontMetrics(model_->tapeFont()).height() + kRowPadding;
    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), height));
    rows->setDefaultSectionSize(height);
    rows->setSectionResizeMode(QHeaderView::Fixed);
}

void TapeView::applyLineNumbers() {
    QHeaderView* numbers = verticalHeader();
    numbers->setVisible(model_->lineNumbersShown());
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, numbers);
    numbers->setFixedWidth(model_->lineNumberWidth() * characterWidth() + 2 * margin + 2 +
                           lineNumberGap_);
}

// The page layout's gap after the line number widens the numbers' column on screen as well.
void TapeView::setLineNumberGap(int pixels) {
    if (pixels == lineNumberGap_) return;
    lineNumberGap_ = pixels;
    if (model_) applyLineNumbers();
}

void TapeView::applyColumns() {
    QHeaderView* header = horizontalHeader();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFontMetrics captionMetrics(header->font());
    for (int column = 0; column < model_->columnCount(); ++column) {
        setColumnHidden(column, !model_->columnVisible(column));
        const QString caption = model_->headerData(column, Qt::Horizontal).toString();
        const int captionWidth = captionMetrics.horizontalAdvance(caption) + 2 * margin + 2;
        const int characters = std::max(model_->widthInCharacters(column), kMinColumnCharacters);
        if (!isColumnHidden(column))
            setColumnWidth(column, std::max(pixelsFor(characters), captionWidth));
    }
    fitDescription();
}

// The description takes the width the other columns leave, so the tape fills its pane and the
// amounts stay in view in a narrow window; the other columns keep their set widths.
void TapeView::fitDescription() {
    if (!model_) return;
    const int description = model_->descriptionColumn();
    if (description < 0 || isColumnHidden(description)) return;
    int others = 0;
    for (int column = 0; column < model_->columnCount(); ++column)
        if (column != description && !isColumnHidden(column)) others += columnWidth(column);
    const int width = std::max(pixelsFor(kMinDescriptionCharacters), viewport()->width() - others);
    if (width == columnWidth(description)) return;
    QScopedValueRollback<bool> guard(applyingLayout_, true);
    setColumnWidth(description, width);
}

int TapeView::leastWidth() const {
    if (!model_) return minimumSizeHint().width();
    const int description = model_->descriptionColumn();
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    if (verticalHeader()->isVisible()) width += verticalHeader()->width() - lineNumberGap_;
    for (int column = 0; column < model_->columnCount(); ++column)
        if (column != description && !isColumnHidden(column)) width += columnWidth(column);
    if (description >= 0 && !isColumnHidden(description))
        width += pixelsFor(kMinDescriptionCharacters);
    return width;
}

void TapeView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitDescription();
}

// A dragged column keeps its new width; the description, which fills, gives or takes it.
void TapeView::userResizedColumn(int column, int /*oldSize*/, int newSize) {
    if (applyingLayout_ || newSize <= 0) return;
    if (column == model_->descriptionColumn()) return;
    fitDescription();
    const int characters = std::max(0, (newSize - pixelsFor(0)) / characterWidth());
    emit columnResized(TapeModel::dataColumn(column), characters);
}

}  // namespace talvex
