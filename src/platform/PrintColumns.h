// "Print Columns/Widths": each tape column's width on paper (0 leaves it off the page) and how
// its text lines up there.
#pragma once

#include <QGroupBox>

class QTableWidget;

namespace talvex {

struct TapeDocument;

class PrintColumns : public QGroupBox {
    Q_OBJECT

  public:
    PrintColumns(TapeDocument& document, QWidget* parent);

    void refresh();
    QTableWidget* table() const { return table_; }

  signals:
    void changed();

  private:
    void fillRow(int row, int col);

    TapeDocument& document_;
    QTableWidget* table_;
};

}  // namespace talvex
