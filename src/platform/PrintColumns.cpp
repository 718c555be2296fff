#include "platform/PrintColumns.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSpinBox>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/Columns.h"
#include "documents/TapeDocument.h"

namespace talvex {

namespace {

constexpr const char* kTitle = "Print Columns/Widths";
constexpr const char* kHeadings[] = {"Name", "Width", "Align"};
// In the order of the alignment codes 0 to 3.
constexpr const char* kAlignments[] = {"As Is", "Left", "Right", "Centre"};
enum ListColumn { kNameColumn, kWidthColumn, kAlignColumn, kListColumns };
constexpr int kMostPrintWidth = 255;

}  // namespace

PrintColumns::PrintColumns(TapeDocument& document, QWidget* parent)
    : QGroupBox(QString::fromLatin1(kTitle), parent), document_(document) {
    table_ = new QTableWidget(0, kListColumns, this);
    table_->setObjectName("PrintColumns");
    QStringList headings;
    for (const char* heading : kHeadings) headings << QString::fromLatin1(heading);
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(kWidthColumn, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kAlignColumn, QHeaderView::ResizeToContents);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    (new QVBoxLayout(this))->addWidget(table_);
}

void PrintColumns::refresh() {
    const int rows = document_.columns.colCount() - ColumnSet::kFirstColumn + 1;
    table_->clearContents();
    table_->setRowCount(std::max(0, rows));
    for (int row = 0; row < rows; ++row) fillRow(row, row + ColumnSet::kFirstColumn);
}

void PrintColumns::fillRow(int row, int col) {
    const Column& column = document_.columns.column(col);
    auto* name = new QTableWidgetItem(QString::fromLocal8Bit(column.caption.c_str()));
    name->setFlags(Qt::ItemIsEnabled);
    table_->setItem(row, kNameColumn, name);
    auto* width = new QSpinBox(table_);
    width->setRange(0, kMostPrintWidth);
    width->setValue(column.printWidth);
    table_->setCellWidget(row, kWidthColumn, width);
    connect(width, &QSpinBox::valueChanged, this, [this, col](int value) {
        if (col > document_.columns.colCount()) return;
        document_.columns.column(col).printWidth = value;
        emit changed();
    });
    auto* align = new QComboBox(table_);
    for (const char* text : kAlignments) align->addItem(QString::fromLatin1(text));
    const int code = static_cast<int>(column.alignment);
    // A code the list does not name prints the text as it is, as "As Is" does.
    align->setCurrentIndex(code >= 0 && code < align->count() ? code : 0);
    table_->setCellWidget(row, kAlignColumn, align);
    connect(align, &QComboBox::currentIndexChanged, this, [this, col](int index) {
        if (col > document_.columns.colCount() || index < 0) return;
        document_.columns.column(col).alignment = static_cast<ColumnAlignment>(index);
        emit changed();
    });
}

}  // namespace talvex
