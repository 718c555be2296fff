#include "platform/PrinterTab.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "documents/SettingsPort.h"
#include "documents/TapeDocument.h"
#include "platform/PrintColumns.h"
#include "printing/PageLayout.h"
#include "printing/PrinterPort.h"
#include "session/PrintCommands.h"

namespace talvex {

namespace {

constexpr const char* kRangeTitle = "Print Range";
constexpr const char* kAllLines = "&All Lines";
constexpr const char* kSelectedLines = "Selected Lin&e(s)";
constexpr const char* kFrom = "From";
constexpr const char* kTo = "To";
constexpr const char* kIncludeTitle = "Include/Add";
constexpr const char* kIncludeNames[PrinterTab::kIncludeSwitches] = {
    "Notes",          "Blank Lines",     "Clear Lines",    "Subtotal Lines", "Total Lines",
    "Clear Dividers", "Subtot Dividers", "Total Dividers", "References",     "Ref Sources"};
constexpr const char* kProportional = "Apply Proportional Corrections";
constexpr const char* kFontsTitle = "Fonts";
constexpr const char* kLabelSize = "VantPrint size: %1";
constexpr const char* kMainPrinter = "Printing on the main printer";
constexpr const char* kLabelPrinter = "Printing on VantPrint";
constexpr const char* kPageLayout = "Page &Layout..";
constexpr const char* kPrinterSetup = "Printer &Setup..";
constexpr const char* kSwitchPrinters = "Swi&tch Prnters";
constexpr const char* kFontAndSize = "&Font && Size...";
constexpr const char* kPrint = "&Print";
constexpr const char* kMessenger = "&Messenger...";
constexpr const char* kClose = "Cl&ose";
constexpr const char* kFontTitle = "Font & Size";
constexpr int kMostRow = 1 << 30;
// The range choices as the tape keeps them.
constexpr int kAllChoice = 0;
constexpr int kSelectedChoice = 1;

QString fromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PrinterTab::PrinterTab(SettingsGroups& settings, OptionTable& options, TapeDocument& document,
                       PageLayout& layout, PrintCommands& commands, QWidget* parent)
    : GroupTab(settings, options, settings_group::kPrinter, parent),
      document_(document),
      layout_(layout),
      commands_(commands) {
    columns_ = new PrintColumns(document_, this);
    connect(columns_, &PrintColumns::changed, this, &PrinterTab::changed);
    auto* left = new QVBoxLayout;
    left->addWidget(makeRange());
    left->addWidget(makeIncludes());
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(makeFonts());
    middle->addWidget(columns_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(makeButtons());
    right->addWidget(makeSettingsFrame());
    right->addStretch();
    auto* row = new QHBoxLayout(this);
    row->addLayout(left);
    row->addLayout(middle, 1);
    row->addLayout(right);
    refresh();
}

QGroupBox* PrinterTab::makeRange() {
    auto* frame = new QGroupBox(QString::fromLatin1(kRangeTitle), this);
    allLines_ = new QRadioButton(QString::fromLatin1(kAllLines), frame);
    selectedLines_ = new QRadioButton(QString::fromLatin1(kSelectedLines), frame);
    from_ = new QSpinBox(frame);
    to_ = new QSpinBox(frame);
    for (QSpinBox* box : {from_, to_}) {
        box->setRange(1, kMostRow);
        connect(box, &QSpinBox::valueChanged, this, &PrinterTab::storeRange);
    }
    connect(selectedLines_, &QRadioButton::toggled, this, [this] {
        enableRange();
        storeRange();
    });
    auto* grid = new QGridLayout(frame);
    grid->addWidget(allLines_, 0, 0, 1, 4);
    grid->addWidget(selectedLines_, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QString::fromLatin1(kFrom), frame), 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(kTo), frame), 2, 2);
    grid->addWidget(to_, 2, 3);
    return frame;
}

QGroupBox* PrinterTab::makeIncludes() {
    auto* frame = new QGroupBox(QString::fromLatin1(kIncludeTitle), this);
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < kIncludeSwitches; ++i) {
        includes_[i] = new QCheckBox(QString::fromLatin1(kIncludeNames[i]), frame);
        grid->addWidget(includes_[i], i % 5, i / 5);
        connect(includes_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            if (filling_) return;
            layout_.setFlag(i, on ? 1 : 0);
            emit changed();
        });
    }
    proportional_ = new QCheckBox(QString::fromLatin1(kProportional), frame);
    grid->addWidget(proportional_, 5, 0, 1, 2);
    connect(proportional_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        document_.proportional = on ? 1 : 0;
        emit changed();
    });
    return frame;
}

QGroupBox* PrinterTab::makeFonts() {
    auto* frame = new QGroupBox(QString::fromLatin1(kFontsTitle), this);
    printerText_ = new QLabel(frame);
    fontText_ = new QLabel(frame);
    fontText_->setObjectName("PrintFont");
    labelSize_ = new QLabel(frame);
    labelSize_->setObjectName("LabelSize");
    auto* column = new QVBoxLayout(frame);
    column->addWidget(printerText_);
    column->addWidget(fontText_);
    column->addWidget(labelSize_);
    return frame;
}

QWidget* PrinterTab::makeButtons() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    for (const char* caption :
         {kPageLayout, kPrinterSetup, kSwitchPrinters, kFontAndSize, kPrint, kMessenger, kClose}) {
        auto* button = new QPushButton(QString::fromLatin1(caption), box);
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    connect(button(kPrint), &QPushButton::clicked, this, &PrinterTab::print);
    connect(button(kPageLayout), &QPushButton::clicked, this, [this] {
        commands_.pageLayout();
        refresh();
        emit changed();
    });
    connect(button(kPrinterSetup), &QPushButton::clicked, this, [this] {
        commands_.printerSetup();
        showPrinter();
    });
    connect(button(kSwitchPrinters), &QPushButton::clicked, this, [this] {
        commands_.switchPrinters();
        showPrinter();
    });
    connect(button(kFontAndSize), &QPushButton::clicked, this, &PrinterTab::chooseFont);
    connect(button(kClose), &QPushButton::clicked, this, &PrinterTab::closeRequested);
    connect(button(kMessenger), &QPushButton::clicked, this, &PrinterTab::messengerRequested);
    return box;
}

QPushButton* PrinterTab::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void PrinterTab::refresh() {
    GroupTab::refresh();
    filling_ = true;
    const bool selected = document_.printRangeChoice == kSelectedChoice;
    (selected ? selectedLines_ : allLines_)->setChecked(true);
    from_->setValue(std::max(1, document_.fromRow));
    to_->setValue(std::max(1, document_.toRow));
    for (int i = 0; i < kIncludeSwitches; ++i) includes_[i]->setChecked(layout_.flag(i) != 0);
    proportional_->setChecked(document_.proportional != 0);
    filling_ = false;
    enableRange();
    columns_->refresh();
    showPrinter();
}

// The From and To boxes count only for a range of selected lines.
void PrinterTab::enableRange() {
    from_->setEnabled(selectedLines_->isChecked());
    to_->setEnabled(selectedLines_->isChecked());
}

void PrinterTab::storeRange() {
    if (filling_) return;
    document_.printRangeChoice = selectedLines_->isChecked() ? kSelectedChoice : kAllChoice;
    document_.fromRow = from_->value();
    document_.toRow = to_->value();
}

void PrinterTab::showPrinter() {
    printerText_->setText(
        QString::fromLatin1(commands_.labelPrinterSelected() ? kLabelPrinter : kMainPrinter));
    const PrintFont font = commands_.printFont();
    fontText_->setText(QStringLiteral("%1, %2 pt").arg(fromBytes(font.name)).arg(font.size));
    labelSize_->setText(QString::fromLatin1(kLabelSize).arg(fromBytes(commands_.labelSizeText())));
}

void PrinterTab::chooseFont() {
    const PrintFont current = commands_.printFont();
    QFont font(fromBytes(current.name));
    font.setPointSizeF(current.size > 0 ? current.size : 10);
    font.setBold(current.bold);
    font.setItalic(current.italic);
    bool chosen = false;
    font = QFontDialog::getFont(&chosen, font, this, QString::fromLatin1(kFontTitle));
    if (!chosen) return;
    commands_.setPrintFont(PrintFont{font.family().toLocal8Bit().toStdString(), font.pointSizeF(),
                                     font.bold(), font.italic()});
    showPrinter();
}

// The pages are shown first; the preview's own button sends them to the printer.
void PrinterTab::print() {
    storeRange();
    const PrintRange range{!selectedLines_->isChecked(), from_->value(), to_->value()};
    commands_.print(PrintRoute::current, range, true);
    emit closeRequested();
}

}  // namespace talvex
