#pragma once

#include <array>

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QModelIndex>
#include <QObject>
#include <QVariant>

#include "documents/TapeDocument.h"
#include "engine/NumberFormat.h"
#include "platform/DecimalTally.h"
#include "shell/OptionTable.h"

namespace talvex {

class Engine;

// The tape as the grid sees it: one model row per visible tape row (the open row last), one
// model column per document column 2..ColCount. Every cell is read live from the engine; the
// model caches only the shape and the amounts' alignment, so the views see rows come and go
// exactly where and when the model announces it.
class TapeModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kFirstDataColumn = 2;

    TapeModel(Engine& engine, const TapeDocument& document, const OptionTable& options,
              QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // What painting a cell takes from data(), in one call and without variants: the grid
    // paints a few hundred cells with every key.
    struct CellLook {
        QString text;
        QColor ink;
        QColor ground;
        Qt::Alignment alignment;
    };
    // False for a cell off the tape, which shows nothing.
    bool cellLook(const QModelIndex& index, CellLook& look) const;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int tapeRow(int modelRow) const;
    // -1 when the tape row is hidden or beyond the tape.
    int modelRow(int tapeRow) const;
    static int dataColumn(int modelColumn) { return modelColumn + kFirstDataColumn; }
    static int modelColumn(int dataColumn) { return dataColumn - kFirstDataColumn; }

    // What the grid needs to lay itself out and route keys; it asks here, never the engine.
    int currentTapeRow() const;
    // The model column of the amount, -1 when the document has none.
    int amountColumn() const;
    // The column that takes the width the others leave; -1 when the tape has none.
    int descriptionColumn() const;
    // The decimal and thousands separators the tape's figures are written with.
    NumberSymbols numberSymbols() const;
    // Enter on this cell goes to the calculator: the open row, at or right of the amount.
    bool entersOnTape(const QModelIndex& index) const;
    int widthInCharacters(int modelColumn) const;
    bool columnVisible(int modelColumn) const;
    // A colour setting as the grid paints it; print colours that would not read on their paper
    // are taken just far enough towards black or white to read.
    QColor colour(int index) const;
    QColor paper() const;
    QColor ink() const;
    QColor gridColour() const;
    QColor lineNumbersBack() const;
    QColor headersBack() const;
    QFont tapeFont() const { return font_; }
    int lineNumberWidth() const;
    bool lineNumbersShown() const;
    bool headersShown() const;
    bool verticalLines() const;
    bool horizontalLines() const;
    bool highlightLine() const;
    // Rows are being inserted or removed: a current row the views move meanwhile is not the
    // user's choice.
    bool reshaping() const { return reshaping_; }

  public slots:
    // Cells of tape rows first..last changed; first > last means all of them.
    void rowsChanged(int first, int last);
    // The tape grew or shrank, or rows were hidden at its top.
    void rowCountChanged(int lastRow);
    // count tape rows were inserted before row, or removed from row on.
    void tapeRowsInserted(int row, int count);
    void tapeRowsRemoved(int row, int count);
    // Columns were added, removed or retyped, or a document was loaded.
    void columnsChanged();
    // The entry being keyed changed: its digits show in the amount cell of the line.
    void entryChanged();

  private:
    // Tape rows that the views still count where they were, while rows come or go.
    struct Shift {
        int row = 0;
        int count = 0;
    };
    int mostDecimals() const;
    void tallyRows(int first, int last);
    void keepChanged(int first, int last);
    void emitKept();
    void emitKeptAfterReplay();
    bool announcesShift(int row, int count) const;
    void beginShift(int row, int count);
    void endShift();
    void removeAtEnd(int lastRow);
    int firstShownRow() const;
    int engineColumnCount() const;
    bool shapeChanged() const;
    void syncShape();
    void resetShape();
    void emitAllChanged();
    void emitCellChanged(int tapeRow, int dataColumn);
    bool onTape(int tapeRow) const;
    int roleColumn(int dataColumn) const;
    int entryRow() const;
    QString cellText(int tapeRow, int dataColumn) const;
    bool isNumberColumn(int dataColumn) const;
    bool takesTypedText(int tapeRow, int dataColumn) const;
    QVariant alignment(int dataColumn) const;
    QColor foreground(int tapeRow, int dataColumn) const;
    QColor readableInk(int colourIndex) const;
    QVariant lineNumberHeader(int modelRow, int role) const;
    QVariant linkTip(int row) const;
    QVariant captionHeader(int modelColumn, int role) const;

    Engine& engine_;
    const TapeDocument& document_;
    const OptionTable& options_;
    QFont font_;
    TapeFont fontChosenFor_;
    struct InkEntry {
        QRgb ink = 0;
        QRgb ground = 0;
        QColor readable;
    };
    mutable std::array<InkEntry, OptionTable::kColourCount> inks_{};
    int firstRow_ = 1;
    int lastRow_ = 1;
    int columns_ = 0;
    int shownEntryRow_ = 0;
    mutable DecimalTally tally_;
    mutable bool tallyStale_ = true;
    Shift shift_;
    bool reshaping_ = false;
    // Rows a recalculation rewrote, announced once when it is done.
    int keptFirst_ = 0;
    int keptLast_ = -1;
};

}  // namespace talvex
