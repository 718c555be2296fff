#include "platform/ColumnDialog.h"

#include <algorithm>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <QValidator>

namespace talvex {

namespace {

constexpr const char* kDetailsTitle = "Column Details";
constexpr const char* kNameLabel = "Name:";
constexpr const char* kWidthLabel = "Width:";
constexpr const char* kTypeLabel = "Type:";
constexpr const char* kVisibleLabel = "Visible:";
constexpr const char* kOkText = "OK";
constexpr const char* kCancelText = "Cancel";
// The types a user may give a column, in the order of ColumnDialogState::typeIndex.
constexpr const char* kTypeNames[] = {"Text", "Date", "Number"};
constexpr int kTypeCount = 3;
// Room the window frame takes beside the title: its icon and buttons.
constexpr int kTitleMargin = 120;

QString fromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// A caption is one field of the tape file, where TAB ends a field and CR or LF a record, and a
// NUL makes the file binary: a caption holding one would move every column after it.
class CaptionValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        for (const QChar c : input)
            if (c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(u'\0')) return Invalid;
        return Acceptable;
    }
};

}  // namespace

ColumnDialog::ColumnDialog(const ColumnDialogState& state, QWidget* parent)
    : QDialog(parent), initial_(state) {
    setWindowTitle(fromBytes(state.title));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QString::fromLatin1(kOkText));
    ok_->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromLatin1(kCancelText));
    connect(buttons, &QDialogButtonBox::accepted, this, &ColumnDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ColumnDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeDetails());
    layout->addWidget(buttons);
    updateOkButton();
    // The title names the column; a window narrower than it would cut the name off.
    const int titleWidth = fontMetrics().horizontalAdvance(windowTitle()) + kTitleMargin;
    setMinimumWidth(std::max(sizeHint().width(), titleWidth));
    setFixedHeight(sizeHint().height());
}

QWidget* ColumnDialog::makeDetails() {
    auto* frame = new QGroupBox(QString::fromLatin1(kDetailsTitle), this);
    name_ = new QLineEdit(fromBytes(initial_.caption), frame);
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 24);
    name_->setValidator(new CaptionValidator(name_));
    width_ = new QLineEdit(QString::number(initial_.width), frame);
    width_->setValidator(new QIntValidator(kMinWidth, kMaxWidth, width_));
    width_->setMaxLength(QString::number(kMaxWidth).size());
    width_->setMaximumWidth(width_->fontMetrics().averageCharWidth() * 8);
    connect(width_, &QLineEdit::textChanged, this, &ColumnDialog::updateOkButton);
    type_ = new QComboBox(frame);
    fillTypes();
    visible_ = new QCheckBox(frame);
    visible_->setChecked(initial_.visible);

    name_->setObjectName(QStringLiteral("name"));
    width_->setObjectName(QStringLiteral("width"));
    type_->setObjectName(QStringLiteral("type"));
    visible_->setObjectName(QStringLiteral("visible"));
    auto* form = new QFormLayout(frame);
    form->addRow(QString::fromLatin1(kNameLabel), name_);
    form->addRow(QString::fromLatin1(kWidthLabel), width_);
    form->addRow(QString::fromLatin1(kTypeLabel), type_);
    form->addRow(QString::fromLatin1(kVisibleLabel), visible_);
    // The name is what users change most; typing replaces it at once.
    name_->setFocus();
    name_->selectAll();
    return frame;
}

// A role column is found by the engine through its type, so the type must not change.
void ColumnDialog::fillTypes() {
    if (!initial_.roleName.empty()) {
        type_->addItem(fromBytes(initial_.roleName));
        type_->setEnabled(false);
        return;
    }
    for (const char* name : kTypeNames) type_->addItem(QString::fromLatin1(name));
    const bool known = initial_.typeIndex >= 0 && initial_.typeIndex < kTypeCount;
    type_->setCurrentIndex(known ? initial_.typeIndex : 0);
}

ColumnDialogState ColumnDialog::state() const {
    ColumnDialogState result = initial_;
    result.caption = toBytes(name_->text());
    if (widthAcceptable()) result.width = width_->text().toInt();
    if (initial_.roleName.empty()) result.typeIndex = type_->currentIndex();
    result.visible = visible_->isChecked();
    return result;
}

bool ColumnDialog::widthAcceptable() const {
    return width_->hasAcceptableInput();
}

void ColumnDialog::updateOkButton() {
    ok_->setEnabled(widthAcceptable());
}

void ColumnDialog::accept() {
    if (!widthAcceptable()) {
        width_->setFocus();
        width_->selectAll();
        return;
    }
    QDialog::accept();
}

bool ColumnDialog::edit(ColumnDialogState& state, QWidget* parent) {
    ColumnDialog dialog(state, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    state = dialog.state();
    return true;
}

}  // namespace talvex
