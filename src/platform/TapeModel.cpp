#include "platform/TapeModel.h"
#include "engine/OptionNumbers.h"

#include "platform/DecimalAlignment.h"

#include <QBrush>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "documents/Columns.h"
#include "documents/TapeDocument.h"
#include "engine/ColumnRoles.h"
#include "engine/Engine.h"
#include "platform/Colours.h"
#include "platform/TapeFonts.h"
#include "platform/ThemeColours.h"
#include "shell/OptionTable.h"

namespace talvex {

namespace {

constexpr int kMinLineNumberWidth = 3;

QString fromLocal(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

int digitsOf(int number) {
    int digits = 1;
    for (int n = std::abs(number); n >= 10; n /= 10) ++digits;
    return digits;
}

constexpr int kRightAligned = Qt::AlignRight | Qt::AlignVCenter;
constexpr int kLeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

}  // namespace

TapeModel::TapeModel(Engine& engine, const TapeDocument& document, const OptionTable& options,
                     QObject* parent)
    : QAbstractTableModel(parent),
      engine_(engine),
      document_(document),
      options_(options),
      font_(tapeFontFor(document.font)),
      fontChosenFor_(document.font) {
    firstRow_ = firstShownRow();
    lastRow_ = engine_.state().lastRow;
    columns_ = engineColumnCount();
}

int TapeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lastRow_ - firstRow_ + 1;
}

int TapeModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

// While rows come or go, the views ask for the rows as they were, though the engine has moved
// the lines below already; the lines that went read as nothing.
int TapeModel::tapeRow(int modelRow) const {
    const int row = modelRow + firstRow_;
    if (shift_.count == 0 || row < shift_.row) return row;
    if (shift_.count < 0 && row < shift_.row - shift_.count) return 0;
    return row + shift_.count;
}

bool TapeModel::onTape(int tapeRow) const {
    return tapeRow >= 1 && tapeRow <= engine_.state().lastRow;
}

int TapeModel::modelRow(int tapeRow) const {
    if (tapeRow < firstRow_ || tapeRow > lastRow_) return -1;
    return tapeRow - firstRow_;
}

// The open row stays on screen even when more rows are hidden than the tape holds: the user
// must always see where the next line goes.
int TapeModel::firstShownRow() const {
    return std::max(1, std::min(engine_.layout().hiddenRows + 1, engine_.state().lastRow));
}

int TapeModel::engineColumnCount() const {
    return std::max(0, engine_.layout().colCount - kFirstDataColumn + 1);
}

int TapeModel::currentTapeRow() const {
    return engine_.state().curRow;
}

int TapeModel::amountColumn() const {
    return roleColumn(engine_.layout().roles.amount);
}

int TapeModel::descriptionColumn() const {
    return roleColumn(engine_.layout().roles.description);
}

int TapeModel::roleColumn(int dataColumn) const {
    if (!ColumnRoles::present(dataColumn) || modelColumn(dataColumn) >= columns_) return -1;
    return modelColumn(dataColumn);
}

bool TapeModel::entersOnTape(const QModelIndex& index) const {
    const int amount = amountColumn();
    return index.isValid() && amount >= 0 && index.column() >= amount &&
           tapeRow(index.row()) == engine_.state().lastRow;
}

int TapeModel::widthInCharacters(int modelColumn) const {
    return document_.columns.width(dataColumn(modelColumn));
}

bool TapeModel::columnVisible(int modelColumn) const {
    return document_.columns.column(dataColumn(modelColumn)).visible;
}

QColor TapeModel::colour(int index) const {
    return shownColour(options_, index);
}

QColor TapeModel::paper() const {
    return colour(colour::kBackground);
}
QColor TapeModel::ink() const {
    return readableInk(colour::kNormalLines);
}
QColor TapeModel::gridColour() const {
    return colour(colour::kGridLines);
}
QColor TapeModel::lineNumbersBack() const {
    return colour(colour::kLineNosBack);
}
QColor TapeModel::headersBack() const {
    return colour(colour::kHeadersBack);
}

// Wide enough for the highest line number, so a long tape never shows clipped numbers.
int TapeModel::lineNumberWidth() const {
    const int configured = std::max(
        {kMinLineNumberWidth, document_.lineNumberWidth, options_.option(option::kLineNosWidth)});
    return std::max(configured, digitsOf(lastRow_ - engine_.layout().hiddenRows));
}

bool TapeModel::lineNumbersShown() const {
    return options_.option(option::kLineNosWidth) != 0;
}
bool TapeModel::headersShown() const {
    return options_.option(option::kColumnHeaders) != 0;
}
bool TapeModel::verticalLines() const {
    return options_.option(option::kVerticalLines) != 0;
}
bool TapeModel::horizontalLines() const {
    return options_.option(option::kHorizontalLines) != 0;
}
bool TapeModel::highlightLine() const {
    return options_.option(option::kHighlightLine) != 0;
}

// While a reference is picked the entry belongs to the line the pick started on, not to the
// line being browsed.
int TapeModel::entryRow() const {
    const auto& entry = engine_.state().entry;
    if (!entry.entryStarted) return 0;
    return entry.refPickRow > 0 ? entry.refPickRow : engine_.state().curRow;
}

QString TapeModel::cellText(int tapeRow, int dataColumn) const {
    if (dataColumn != engine_.layout().roles.amount) {
        const QString text = fromLocal(engine_.cell(tapeRow, dataColumn));
        const bool shortDate =
            document_.columns.column(dataColumn).displayFormat == ColumnSet::kShortDate;
        return shortDate ? shortDateText(text) : text;
    }
    const std::string_view text = tapeRow == entryRow()
                                      ? std::string_view(engine_.state().entry.entryText)
                                      : engine_.cell(tapeRow, dataColumn);
    const int padding = alignmentPadding(text, engine_.format().decSep(), mostDecimals());
    return fromLocal(text) + QString(padding, QLatin1Char(' '));
}

// The most decimals any amount on the tape shows, as far as the column has room for them
// beside the longest whole number: one result with many decimals must not push the other
// amounts out of their cells. The tally follows the rows the engine announces; the whole tape
// is read again only after a change to all of it.
int TapeModel::mostDecimals() const {
    const int amount = engine_.layout().roles.amount;
    if (tallyStale_ || tally_.rows() != engine_.state().lastRow) {
        tallyStale_ = false;
        tally_.reset(engine_.state().lastRow);
        const char decSep = engine_.format().decSep();
        for (int row = 1; row <= engine_.state().lastRow; ++row)
            tally_.set(row, engine_.cell(row, amount), decSep);
    }
    const int room = engine_.layout().width(amount) - tally_.widestWhole() - 1;
    return std::clamp(tally_.mostDecimals(), 0, std::max(0, room));
}

void TapeModel::tallyRows(int first, int last) {
    if (tallyStale_) return;
    const int amount = engine_.layout().roles.amount;
    const char decSep = engine_.format().decSep();
    for (int row = std::max(first, 1); row <= std::min(last, engine_.state().lastRow); ++row)
        tally_.set(row, engine_.cell(row, amount), decSep);
}

bool TapeModel::isNumberColumn(int dataColumn) const {
    return dataColumn == engine_.layout().roles.amount ||
           document_.columns.column(dataColumn).kind == ColumnKind::number;
}

// The engine edits only its current line, and amounts are keyed, not typed, while the tape is
// on.
bool TapeModel::takesTypedText(int tapeRow, int dataColumn) const {
    if (tapeRow != engine_.state().curRow || !engine_.cellEditable(dataColumn)) return false;
    return !(engine_.state().tapeOn && dataColumn == engine_.layout().roles.amount);
}

QVariant TapeModel::alignment(int dataColumn) const {
    return isNumberColumn(dataColumn) ? kRightAligned : kLeftAligned;
}

QColor TapeModel::foreground(int tapeRow, int dataColumn) const {
    const int index = engine_.cellColour(tapeRow, dataColumn);
    return readableInk(index < 0 || index >= OptionTable::kColourCount ? colour::kNormalLines
                                                                       : index);
}

// Painting asks for the ink of every cell on every repaint, and making a colour readable may
// take a search; the answer only changes with the colour settings, which are its key.
QColor TapeModel::readableInk(int index) const {
    const QRgb ink = colour(index).rgb();
    const QRgb ground = paper().rgb();
    InkEntry& entry = inks_[static_cast<size_t>(index)];
    if (!entry.readable.isValid() || entry.ink != ink || entry.ground != ground)
        entry = {ink, ground, readableOn(QColor(ink), QColor(ground))};
    return entry.readable;
}

QVariant TapeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columns_) return {};
    const int row = tapeRow(index.row());
    const int col = dataColumn(index.column());
    if (!onTape(row)) return {};
    switch (role) {
        case Qt::DisplayRole:
            return cellText(row, col);
        case Qt::EditRole:
            return fromLocal(engine_.cell(row, col));
        case Qt::TextAlignmentRole:
            return alignment(col);
        case Qt::FontRole:
            return font_;
        case Qt::ForegroundRole:
            return QBrush(foreground(row, col));
        case Qt::BackgroundRole:
            return QBrush(paper());
        case Qt::ToolTipRole:
            return linkTip(row);
        default:
            return {};
    }
}

bool TapeModel::cellLook(const QModelIndex& index, CellLook& look) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columns_) return false;
    const int row = tapeRow(index.row());
    const int col = dataColumn(index.column());
    if (!onTape(row)) return false;
    look.text = cellText(row, col);
    look.ink = foreground(row, col);
    look.ground = paper();
    look.alignment = Qt::Alignment(alignment(col).toInt());
    return true;
}

// The hidden address of a linked line shows when the pointer rests on the line.
QVariant TapeModel::linkTip(int row) const {
    if (row >= engine_.state().lastRow) return {};
    const std::string_view address = engine_.lineLink(row);
    if (address.empty()) return {};
    return tr("Linked to %1").arg(fromLocal(address));
}

QVariant TapeModel::lineNumberHeader(int modelRow, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return fromLocal(engine_.lineNumberText(tapeRow(modelRow)));
        case Qt::TextAlignmentRole:
            return kRightAligned;
        case Qt::FontRole:
            return font_;
        case Qt::ForegroundRole:
            return QBrush(readableOn(colour(colour::kNormalLines), colour(colour::kLineNosBack)));
        case Qt::BackgroundRole:
            return QBrush(colour(colour::kLineNosBack));
        case Qt::ToolTipRole:
            return linkTip(tapeRow(modelRow));
        default:
            return {};
    }
}

QVariant TapeModel::captionHeader(int modelColumn, int role) const {
    const int col = dataColumn(modelColumn);
    switch (role) {
        case Qt::DisplayRole:
            return fromLocal(document_.columns.column(col).caption);
        case Qt::TextAlignmentRole:
            return alignment(col);
        case Qt::ForegroundRole:
            return QBrush(readableOn(colour(colour::kHeadersText), colour(colour::kHeadersBack)));
        case Qt::BackgroundRole:
            return QBrush(colour(colour::kHeadersBack));
        default:
            return {};
    }
}

QVariant TapeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return section >= 0 && section < rowCount() && onTape(tapeRow(section))
                   ? lineNumberHeader(section, role)
                   : QVariant();
    return section >= 0 && section < columns_ ? captionHeader(section, role) : QVariant();
}

NumberSymbols TapeModel::numberSymbols() const {
    return engine_.format().symbols();
}

Qt::ItemFlags TapeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (takesTypedText(tapeRow(index.row()), dataColumn(index.column())))
        result |= Qt::ItemIsEditable;
    return result;
}

bool TapeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
    const int row = tapeRow(index.row());
    const int col = dataColumn(index.column());
    if (!takesTypedText(row, col)) return false;
    const QByteArray text = value.toString().toLocal8Bit();
    if (!engine_.editCell(col, std::string_view(text.constData(), text.size()))) return false;
    emit dataChanged(index, index);
    return true;
}

void TapeModel::entryChanged() {
    const int amount = engine_.layout().roles.amount;
    const int row = entryRow();
    if (shownEntryRow_ > 0 && shownEntryRow_ != row) emitCellChanged(shownEntryRow_, amount);
    if (row > 0) emitCellChanged(row, amount);
    shownEntryRow_ = row;
}

}  // namespace talvex
