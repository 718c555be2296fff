#include "platform/ReferencePanel.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollArea>
#include <QSize>
#include <QSizePolicy>
#include <QVBoxLayout>

#include "platform/Colours.h"

namespace talvex {

namespace {

constexpr int kBoxCharacters = 12;
constexpr int kSpacing = 4;

}  // namespace

ReferencePanel::ReferencePanel(QWidget* parent) : QWidget(parent) {
    setWhatsThis(
        tr("The references: box n shows the value of reference n. Key Ref and a "
           "number to use a reference on a line instead of keying its value."));
    auto* title = new QLabel(tr("References"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* content = new QWidget;
    grid_ = new QGridLayout;
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(kSpacing);
    grid_->setVerticalSpacing(kSpacing);
    grid_->setColumnStretch(1, 1);
    empty_ = new QLabel(tr("A line made a reference with Ref shows its value here."), content);
    empty_->setWordWrap(true);
    empty_->setForegroundRole(QPalette::PlaceholderText);
    keepHintReadable();
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, kSpacing, 0);
    column->addLayout(grid_);
    column->addWidget(empty_);
    column->addStretch(1);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    layout->addWidget(title);
    layout->addWidget(scroll_, 1);
    const int boxWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')) * kBoxCharacters;
    setMinimumWidth(boxWidth + QFontMetrics(font()).horizontalAdvance(QStringLiteral("50")) +
                    4 * kSpacing);
}

void ReferencePanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) keepHintReadable();
}

// Desktops draw placeholder text faint, often too faint to read on a panel; the hint keeps the
// desktop's shade where it reads and is darkened or lightened where it does not.
void ReferencePanel::keepHintReadable() {
    QPalette hint;
    hint.setColor(QPalette::PlaceholderText, readableOn(palette().color(QPalette::PlaceholderText),
                                                        palette().color(QPalette::Window)));
    empty_->setPalette(hint);
}

// Narrow beside the tape; the word-wrapped hint would otherwise ask for a wide panel.
QSize ReferencePanel::sizeHint() const {
    return {minimumWidth(), QWidget::sizeHint().height()};
}

QLineEdit* ReferencePanel::box(int n) const {
    if (n < 1 || n > boxCount()) return nullptr;
    return rows_[n - 1].box;
}

QString ReferencePanel::slotText(int n) const {
    const QLineEdit* edit = box(n);
    return edit != nullptr ? edit->text() : QString();
}

void ReferencePanel::setSlot(int n, const QString& text) {
    if (n < 1 || n > kMaxBoxes) return;
    while (boxCount() < n) addRow();
    QLineEdit* edit = rows_[n - 1].box;
    edit->setText(text);
    // Long values are shown from their start; the tip keeps them whole.
    edit->setCursorPosition(0);
    edit->setToolTip(text.isEmpty() ? tr("Reference %1").arg(n)
                                    : tr("Reference %1: %2").arg(n).arg(text));
}

void ReferencePanel::clear() {
    for (const Row& row : rows_) {
        delete row.number;
        delete row.box;
    }
    rows_.clear();
    empty_->show();
}

void ReferencePanel::addRow() {
    const int n = boxCount() + 1;
    QWidget* content = scroll_->widget();
    auto* number = new QLabel(QString::number(n), content);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(content);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    // Clicking may select a value to copy; Tab never wanders off the tape into the panel.
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setToolTip(tr("Reference %1").arg(n));
    edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    number->setBuddy(edit);
    grid_->addWidget(number, n - 1, 0);
    grid_->addWidget(edit, n - 1, 1);
    rows_.push_back({number, edit});
    empty_->hide();
}

}  // namespace talvex
