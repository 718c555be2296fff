#include "platform/TapeTab.h"

#include <algorithm>
#include <string>

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <QVBoxLayout>

#include "documents/ColumnActions.h"
#include "documents/Columns.h"
#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kColumnsTitle = "Display Columns/Widths";
constexpr const char* kNew = "&New";
constexpr const char* kEdit = "&Edit";
constexpr const char* kDelete = "&Delete";
constexpr const char* kTypingRefused = "Please Use Insert Button to Append a New Column";
constexpr const char* kTypingRefusedTitle = "New Columns Cannot be Added by Typing in this Row";
constexpr const char* kHeadings[] = {"Name", "Width", "Type", "Visible"};
enum ListColumn { kNameColumn, kWidthColumn, kTypeColumn, kVisibleColumn, kListColumns };

constexpr int kFirstColour = 0;  // colours 0 to 10
constexpr int kColourCount = 11;

QString fromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// Cells show the columns; changing them is the column dialog's work.
QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

bool isTyping(const QString& text) {
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

TapeTab::TapeTab(SettingsGroups& settings, OptionTable& options, TapeDocument& document,
                 ColumnActions& actions, QWidget* parent)
    : GroupTab(settings, options, settings_group::kTape, parent),
      document_(document),
      actions_(actions) {
    auto* left = new QVBoxLayout;
    left->addWidget(makeOptionList(0, SettingsGroups::kTapeOptionBits));
    left->addWidget(makeSettingsFrame());
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(makeColours(kFirstColour, kColourCount, 1), 0, Qt::AlignTop);
    layout->addWidget(makeColumnList(), 1);
    refresh();
}

QGroupBox* TapeTab::makeColumnList() {
    auto* frame = new QGroupBox(QString::fromLatin1(kColumnsTitle), this);
    columns_ = new QTableWidget(0, kListColumns, frame);
    QStringList headings;
    for (const char* heading : kHeadings) headings << QString::fromLatin1(heading);
    columns_->setHorizontalHeaderLabels(headings);
    columns_->verticalHeader()->hide();
    columns_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    columns_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    for (int column : {kWidthColumn, kTypeColumn, kVisibleColumn})
        columns_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    columns_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    columns_->setSelectionBehavior(QAbstractItemView::SelectRows);
    columns_->setSelectionMode(QAbstractItemView::SingleSelection);
    columns_->setTabKeyNavigation(false);
    columns_->installEventFilter(this);
    connect(columns_, &QTableWidget::currentCellChanged, this, &TapeTab::enableButtons);
    connect(columns_, &QTableWidget::cellDoubleClicked, this, [this] {
        if (selectedColumn() != 0) runAction(ColumnActions::kEdit);
    });

    auto* add = new QPushButton(QString::fromLatin1(kNew), frame);
    edit_ = new QPushButton(QString::fromLatin1(kEdit), frame);
    delete_ = new QPushButton(QString::fromLatin1(kDelete), frame);
    connect(add, &QPushButton::clicked, this, [this] { runAction(ColumnActions::kInsertBefore); });
    connect(edit_, &QPushButton::clicked, this, [this] { runAction(ColumnActions::kEdit); });
    connect(delete_, &QPushButton::clicked, this, [this] { runAction(ColumnActions::kDelete); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add, edit_, delete_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(columns_);
    layout->addLayout(buttons);
    return frame;
}

void TapeTab::refresh() {
    GroupTab::refresh();
    refreshColumns();
}

// One row per document column, then the empty row where a new column would go.
void TapeTab::refreshColumns() {
    const int current = columns_->currentRow();
    const ColumnSet& set = document_.columns;
    const int rows = set.colCount() - ColumnSet::kFirstColumn + 1;
    columns_->clearContents();
    columns_->setRowCount(rows + 1);
    for (int row = 0; row < rows; ++row) fillRow(row, row + ColumnSet::kFirstColumn);
    for (int column = 0; column < kListColumns; ++column)
        columns_->setItem(rows, column, readOnlyItem(QString()));
    columns_->setCurrentCell(std::clamp(current, 0, rows), 0);
    enableButtons();
}

void TapeTab::fillRow(int row, int col) {
    const ColumnSet& set = document_.columns;
    const Column& column = set.column(col);
    std::string type = ColumnSet::typeName(column.typeCode);
    if (type.empty()) type = column.typeCode;  // a role without a name shows its code
    columns_->setItem(row, kNameColumn, readOnlyItem(fromBytes(column.caption)));
    columns_->setItem(row, kWidthColumn, readOnlyItem(QString::number(set.width(col))));
    columns_->setItem(row, kTypeColumn, readOnlyItem(fromBytes(type)));
    QTableWidgetItem* visible = readOnlyItem(QString());
    visible->setCheckState(column.visible ? Qt::Checked : Qt::Unchecked);
    columns_->setItem(row, kVisibleColumn, visible);
}

int TapeTab::selectedColumn() const {
    const int row = columns_->currentRow();
    const int col = row + ColumnSet::kFirstColumn;
    return row >= 0 && col <= document_.columns.colCount() ? col : 0;
}

void TapeTab::enableButtons() {
    const bool chosen = selectedColumn() != 0;
    edit_->setEnabled(chosen);
    delete_->setEnabled(chosen);
}

void TapeTab::runAction(int action) {
    const int selected = actions_.columnAction(action, selectedColumn());
    if (selected < 0) return;
    refreshColumns();
    columns_->setCurrentCell(selected - ColumnSet::kFirstColumn, 0);
    emit columnsChanged();
    emit changed();
}

bool TapeTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == columns_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        return handleKey(key->key(), key->text());
    }
    return GroupTab::eventFilter(watched, event);
}

// The list is read-only, so its keys lead to the buttons: Enter edits, Insert adds, Delete
// removes; typing on the empty row is where a user would try to add a column by hand.
bool TapeTab::handleKey(int key, const QString& text) {
    const bool chosen = selectedColumn() != 0;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (chosen) runAction(ColumnActions::kEdit);
            return chosen;
        case Qt::Key_Insert:
            runAction(ColumnActions::kInsertBefore);
            return true;
        case Qt::Key_Delete:
            if (chosen) runAction(ColumnActions::kDelete);
            return chosen;
        default:
            break;
    }
    if (chosen || !isTyping(text)) return false;
    refuseTyping();
    return true;
}

void TapeTab::refuseTyping() {
    QMessageBox::information(this, QString::fromLatin1(kTypingRefusedTitle),
                             QString::fromLatin1(kTypingRefused));
}

}  // namespace talvex
