#include "platform/LayoutDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/SettingsPort.h"
#include "platform/SpinText.h"
#include "printing/PageLayout.h"
#include "printing/PrintSink.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kTitle = "Page Layout";
constexpr const char* kFormatCaption = "Format:";
constexpr const char* kPaperCaption = "Paper:";
constexpr const char* kSpacingTitle = "Spacing";
constexpr const char* kSpacingNames[LayoutDialog::kSpacings] = {
    "Top", "Bottom", "Left", "LineNo", "Right", "Header", "Col Hdr", "Footer"};
constexpr const char* kWidthCaption = "Width:";
constexpr const char* kHeightCaption = "Ht:";
constexpr const char* kPageTextNames[LayoutDialog::kPageTexts] = {"Header:", "Col Hdr:", "Footer:"};
constexpr const char* kAttributeNames[] = {"B", "U", "I", "S"};
constexpr const char* kAttributeHint = "Use buttons to change print attributes.";
constexpr const char* kSaveWithTape = "Save with Tape";
constexpr const char* kClose = "Close";
constexpr const char* kResetDefaults = "Reset Defaults";
constexpr const char* kSaveAsDefault = "SaveAs Default";
constexpr const char* kSaveFailed = "The layout could not be written to the configuration file.";
constexpr const char* kCommaRefused =
    "A comma cannot be used here: the layout keeps its texts in one list separated by commas.";
constexpr const char* kTapeFormats[] = {kFormatTape};
constexpr const char* kRecordFormats[] = {kFormatLabel, kFormatFormReport, kFormatTableReport};
constexpr int kCustomPaper = kPaperTypes - 1;

QString fromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

bool attributeOn(const std::string& attributes, int position) {
    return position < static_cast<int>(attributes.size()) && attributes[position] == 'x';
}

void applyAttributes(QLineEdit* edit, const std::string& attributes) {
    QFont font = edit->font();
    font.setBold(attributeOn(attributes, print_attribute::kBold));
    font.setUnderline(attributeOn(attributes, print_attribute::kUnderline));
    font.setItalic(attributeOn(attributes, print_attribute::kItalic));
    font.setStrikeOut(attributeOn(attributes, print_attribute::kStrikethrough));
    edit->setFont(font);
}

}  // namespace

LayoutDialog::LayoutDialog(PageLayout& layout, SettingsGroups& settings, ConfigStore& config,
                           std::function<bool()> tapeOn, QWidget* parent)
    : QDialog(parent),
      layout_(layout),
      settings_(settings),
      config_(config),
      tapeOn_(std::move(tapeOn)) {
    setObjectName("Layout");
    setWindowTitle(QString::fromLatin1(kTitle));
    refusal_ = new QLabel(QString::fromLatin1(kCommaRefused), this);
    refusal_->setObjectName("CommaRefused");
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet("color: #a00000;");
    refusal_->hide();
    auto* column = new QVBoxLayout(this);
    column->addWidget(makeChoices());
    column->addWidget(makeSpacings());
    column->addWidget(makePageTexts());
    column->addWidget(refusal_);
    column->addWidget(makeButtons());
    fill();
}

QWidget* LayoutDialog::makeChoices() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    format_ = new QComboBox(box);
    format_->setObjectName("PrtFmt");
    paper_ = new QComboBox(box);
    paper_->setObjectName("Paper");
    for (const PaperType& paper : kPapers) paper_->addItem(QString::fromLatin1(paper.text));
    grid->addWidget(new QLabel(QString::fromLatin1(kFormatCaption), box), 0, 0);
    grid->addWidget(format_, 0, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(kPaperCaption), box), 1, 0);
    grid->addWidget(paper_, 1, 1);
    grid->setColumnStretch(1, 1);
    // What the user chooses, even the entry already shown: a layout without a paper shows
    // the first one, which must still be choosable.
    connect(format_, &QComboBox::textActivated, this,
            [this](const QString& text) { storeText(layout_text::kFormat, text); });
    connect(paper_, &QComboBox::activated, this, [this](int entry) {
        if (!filling_ && entry >= 0) choosePaper(entry);
    });
    return box;
}

QWidget* LayoutDialog::makeSpacings() {
    auto* frame = new QGroupBox(QString::fromLatin1(kSpacingTitle), this);
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < kSpacings; ++i) {
        const int index = layout_text::kTop + i;
        checks_[i] = new QCheckBox(QString::fromLatin1(kSpacingNames[i]), frame);
        spacings_[i] = new SpinText(frame);
        refuseCommas(spacings_[i]->edit());
        const int row = i % 4;
        const int column = (i / 4) * 2;
        grid->addWidget(checks_[i], row, column);
        grid->addWidget(spacings_[i], row, column + 1);
        connect(checks_[i], &QCheckBox::toggled, this, [this, index](bool on) {
            if (filling_) return;
            layout_.setFlag(index, on ? 1 : 0);
            emit layoutChanged();
        });
        connect(spacings_[i], &SpinText::edited, this,
                [this, index](const QString& text) { storeText(index, text); });
    }
    width_ = new SpinText(frame);
    height_ = new SpinText(frame);
    refuseCommas(width_->edit());
    refuseCommas(height_->edit());
    grid->addWidget(new QLabel(QString::fromLatin1(kWidthCaption), frame), 4, 0);
    grid->addWidget(width_, 4, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(kHeightCaption), frame), 4, 2);
    grid->addWidget(height_, 4, 3);
    connect(width_, &SpinText::edited, this,
            [this](const QString& text) { storeText(layout_text::kWidth, text); });
    connect(height_, &SpinText::edited, this,
            [this](const QString& text) { storeText(layout_text::kHeight, text); });
    return frame;
}

QWidget* LayoutDialog::makePageTexts() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kPageTexts; ++i) {
        pageTexts_[i] = new QLineEdit(box);
        pageTexts_[i]->installEventFilter(this);
        refuseCommas(pageTexts_[i]);
        grid->addWidget(new QLabel(QString::fromLatin1(kPageTextNames[i]), box), i, 0);
        grid->addWidget(pageTexts_[i], i, 1, 1, 5);
        connect(pageTexts_[i], &QLineEdit::editingFinished, this, [this, i] {
            if (pageTexts_[i]->isModified())
                storeText(layout_text::kHeaderText + i, pageTexts_[i]->text());
            pageTexts_[i]->setModified(false);
        });
    }
    for (int a = 0; a < 4; ++a) {
        auto* button = attributeButtons_[a] = new QToolButton(box);
        button->setText(QString::fromLatin1(kAttributeNames[a]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        QFont font = button->font();
        font.setBold(a == print_attribute::kBold);
        font.setUnderline(a == print_attribute::kUnderline);
        font.setItalic(a == print_attribute::kItalic);
        font.setStrikeOut(a == print_attribute::kStrikethrough);
        button->setFont(font);
        grid->addWidget(button, kPageTexts, 1 + a);
        connect(button, &QToolButton::clicked, this, [this, a] { toggleAttribute(a); });
    }
    grid->addWidget(new QLabel(QString::fromLatin1(kAttributeHint), box), kPageTexts, 5);
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* LayoutDialog::makeButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    saveWithTape_ = new QCheckBox(QString::fromLatin1(kSaveWithTape), box);
    auto* reset = new QPushButton(QString::fromLatin1(kResetDefaults), box);
    auto* save = new QPushButton(QString::fromLatin1(kSaveAsDefault), box);
    auto* close = new QPushButton(QString::fromLatin1(kClose), box);
    for (QPushButton* button : {reset, save, close}) button->setAutoDefault(false);
    row->addWidget(saveWithTape_);
    row->addStretch(1);
    row->addWidget(reset);
    row->addWidget(save);
    row->addWidget(close);
    connect(saveWithTape_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_) settings_.setFlag(settings_group::kPrinter, on ? 1 : 0);
    });
    connect(reset, &QPushButton::clicked, this, &LayoutDialog::resetDefaults);
    connect(save, &QPushButton::clicked, this, &LayoutDialog::saveAsDefault);
    connect(close, &QPushButton::clicked, this, &LayoutDialog::hide);
    return box;
}

void LayoutDialog::fill() {
    filling_ = true;
    format_->clear();
    if (tapeOn_())
        for (const char* format : kTapeFormats) format_->addItem(QString::fromLatin1(format));
    else
        for (const char* format : kRecordFormats) format_->addItem(QString::fromLatin1(format));
    format_->setCurrentIndex(
        std::max(0, format_->findText(fromBytes(layout_.text(layout_text::kFormat)))));
    paper_->setCurrentIndex(
        std::max(0, paper_->findText(fromBytes(layout_.text(layout_text::kPaper)))));
    for (int i = 0; i < kSpacings; ++i) {
        checks_[i]->setChecked(layout_.flag(layout_flag::kTop + i) != 0);
        spacings_[i]->setText(fromBytes(layout_.text(layout_text::kTop + i)));
    }
    width_->setText(fromBytes(layout_.text(layout_text::kWidth)));
    height_->setText(fromBytes(layout_.text(layout_text::kHeight)));
    for (int i = 0; i < kPageTexts; ++i) {
        pageTexts_[i]->setText(fromBytes(layout_.text(layout_text::kHeaderText + i)));
        pageTexts_[i]->setModified(false);
        applyAttributes(pageTexts_[i], layout_.text(layout_text::kHeaderStyle + i));
    }
    saveWithTape_->setChecked(settings_.flag(settings_group::kPrinter) != 0);
    enablePaperSize();
    showAttributes(lastPageText_);
    refusal_->hide();
    filling_ = false;
}

void LayoutDialog::choosePaper(int entry) {
    layout_.choosePaper(entry);
    width_->setText(fromBytes(layout_.text(layout_text::kWidth)));
    height_->setText(fromBytes(layout_.text(layout_text::kHeight)));
    enablePaperSize();
    emit layoutChanged();
}

// Only a custom paper has a size of the user's own.
void LayoutDialog::enablePaperSize() {
    const bool custom = paper_->currentIndex() == kCustomPaper;
    width_->setEnabled(custom);
    height_->setEnabled(custom);
}

void LayoutDialog::storeText(int index, const QString& text) {
    if (filling_) return;
    layout_.setText(index, toBytes(text));
    emit layoutChanged();
}

void LayoutDialog::toggleAttribute(int attribute) {
    const int index = layout_text::kHeaderStyle + lastPageText_;
    std::string attributes = layout_.text(index);
    attributes.resize(4, ' ');
    attributes[attribute] = attributeOn(attributes, attribute) ? ' ' : 'x';
    layout_.setText(index, attributes);
    applyAttributes(pageTexts_[lastPageText_], attributes);
    showAttributes(lastPageText_);
    emit layoutChanged();
}

// The buttons show the attributes of the text box they act on.
void LayoutDialog::showAttributes(int pageText) {
    const std::string& attributes = layout_.text(layout_text::kHeaderStyle + pageText);
    for (int a = 0; a < 4; ++a) attributeButtons_[a]->setChecked(attributeOn(attributes, a));
}

bool LayoutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < kPageTexts; ++i)
            if (watched == pageTexts_[i]) {
                lastPageText_ = i;
                showAttributes(i);
            }
    return QDialog::eventFilter(watched, event);
}

// The layout's texts are stored as one comma-separated list: a comma inside a text would
// shift every text after it when the list is read back, so none is let in.
void LayoutDialog::refuseCommas(QLineEdit* edit) {
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
        if (!text.contains(QLatin1Char(','))) return;
        const int cursor = edit->cursorPosition() - text.left(edit->cursorPosition()).count(',');
        edit->setText(QString(text).remove(QLatin1Char(',')));
        edit->setCursorPosition(cursor);
        edit->setModified(true);
        refusal_->show();
    });
}

void LayoutDialog::resetDefaults() {
    layout_.load(config_);
    fill();
    emit layoutChanged();
}

void LayoutDialog::saveAsDefault() {
    if (layout_.save(config_)) return;
    QMessageBox::warning(this, QString::fromLatin1(kSaveAsDefault),
                         QString::fromLatin1(kSaveFailed));
}

}  // namespace talvex
