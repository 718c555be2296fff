#include "platform/SpinText.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace talvex {

namespace {

constexpr QChar kInchMark = QLatin1Char('"');
constexpr double kInchStep = 0.25;

// The leading number of a text, as the layout reads it.
double leadingNumber(const QString& text) {
    int end = 0;
    bool point = false;
    while (end < text.size() && (text[end].isDigit() || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    return text.left(end).toDouble();
}

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

SpinText::SpinText(QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    up_ = arrowButton(Qt::UpArrow, this);
    down_ = arrowButton(Qt::DownArrow, this);
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(edit_, 1);
    row->addLayout(arrows);
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        if (edit_->isModified()) emit edited(edit_->text());
        edit_->setModified(false);
    });
}

QString SpinText::text() const {
    return edit_->text();
}

void SpinText::setText(const QString& text) {
    edit_->setText(text);
    edit_->setModified(false);
}

QString SpinText::stepped(const QString& text, int direction) {
    const bool inches = text.trimmed().endsWith(kInchMark);
    const double step = inches ? kInchStep : 1.0;
    const double value = std::max(0.0, leadingNumber(text.trimmed()) + direction * step);
    const QString number = QString::number(value, 'g', 6);
    return inches ? number + kInchMark : number;
}

void SpinText::step(int direction) {
    setText(stepped(edit_->text(), direction));
    emit edited(edit_->text());
}

}  // namespace talvex
