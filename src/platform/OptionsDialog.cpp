#include "platform/OptionsDialog.h"

#include <string_view>

#include <QCheckBox>
#include <QColor>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/SettingsPort.h"
#include "platform/CalculatorTab.h"
#include "platform/Colours.h"
#include "platform/PrinterTab.h"
#include "platform/TapeTab.h"
#include "platform/ThemeColours.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kOptionsTitle = "Options";
constexpr const char* kColoursTitle = "Colours";
constexpr const char* kSettingsTitle = "Settings";
constexpr const char* kSaveWithTape = "Save with Tape";
constexpr const char* kSaveAsDefault = "SaveAs Default";
constexpr const char* kResetDefaults = "Reset Defaults";
constexpr const char* kSwitchConfig = "Swi&tch Config";
constexpr const char* kSaveFailed = "The settings could not be written to the configuration file.";
constexpr const char* kCalculatorCaption = "&Calculator";
constexpr const char* kTapeCaption = "&Tape";
constexpr const char* kPrinterCaption = "&Printer";
constexpr const char* kCloseText = "Close";
constexpr int kOptionRole = Qt::UserRole;

QString fromView(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon swatchIcon(const QColor& colour) {
    QPixmap pixmap(28, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

Qt::CheckState checkState(bool on) {
    return on ? Qt::Checked : Qt::Unchecked;
}

}  // namespace

GroupTab::GroupTab(SettingsGroups& settings, OptionTable& options, int group, QWidget* parent)
    : QWidget(parent), settings_(settings), options_(options), group_(group) {}

QGroupBox* GroupTab::makeOptionList(int first, int count) {
    auto* frame = new QGroupBox(QString::fromLatin1(kOptionsTitle), this);
    optionList_ = new QListWidget(frame);
    for (int option = first; option < first + count; ++option) {
        auto* item = new QListWidgetItem(fromView(OptionTable::optionName(option)), optionList_);
        item->setData(kOptionRole, option);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    optionList_->setCurrentRow(0);
    const int rows = optionList_->sizeHintForRow(0) * count + 2 * optionList_->frameWidth();
    optionList_->setMinimumHeight(rows);
    optionList_->setMinimumWidth(optionList_->sizeHintForColumn(0) + 8);
    connect(optionList_, &QListWidget::itemChanged, this, &GroupTab::optionToggled);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(optionList_);
    return frame;
}

QGroupBox* GroupTab::makeColours(int first, int count, int columns) {
    auto* frame = new QGroupBox(QString::fromLatin1(kColoursTitle), this);
    auto* grid = new QGridLayout(frame);
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int colour = first + i;
        auto* swatch = new QToolButton(frame);
        swatch->setText(fromView(OptionTable::colourName(colour)));
        swatch->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        swatch->setAutoRaise(true);
        swatch->setIconSize(QSize(28, 14));
        swatch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        swatch->setFocusPolicy(Qt::StrongFocus);
        connect(swatch, &QToolButton::clicked, this, [this, colour] { chooseColour(colour); });
        swatches_[colour] = swatch;
        grid->addWidget(swatch, i % rows, i / rows);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return frame;
}

QGroupBox* GroupTab::makeSettingsFrame() {
    auto* frame = new QGroupBox(QString::fromLatin1(kSettingsTitle), this);
    saveWithTape_ = new QCheckBox(QString::fromLatin1(kSaveWithTape), frame);
    connect(saveWithTape_, &QCheckBox::toggled, this, [this](bool on) {
        settings_.setFlag(group_, on ? 1 : 0);
        emit changed();
    });
    auto* save = new QPushButton(QString::fromLatin1(kSaveAsDefault), frame);
    auto* reset = new QPushButton(QString::fromLatin1(kResetDefaults), frame);
    auto* switchConfig = new QPushButton(QString::fromLatin1(kSwitchConfig), frame);
    for (QPushButton* button : {save, reset, switchConfig}) button->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &GroupTab::saveAsDefault);
    connect(reset, &QPushButton::clicked, this, &GroupTab::resetDefaults);
    connect(switchConfig, &QPushButton::clicked, this, &GroupTab::switchConfig);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(saveWithTape_);
    layout->addWidget(save);
    layout->addWidget(reset);
    layout->addWidget(switchConfig);
    return frame;
}

void GroupTab::refresh() {
    if (optionList_) {
        const QSignalBlocker quiet(optionList_);
        for (int row = 0; row < optionList_->count(); ++row) {
            QListWidgetItem* item = optionList_->item(row);
            item->setCheckState(checkState(options_.option(item->data(kOptionRole).toInt()) != 0));
        }
    }
    for (const auto& [colour, swatch] : swatches_) showColour(colour);
    if (saveWithTape_) {
        const QSignalBlocker quiet(saveWithTape_);
        saveWithTape_->setChecked(settings_.flag(group_) != 0);
    }
}

void GroupTab::optionToggled(QListWidgetItem* item) {
    settings_.setOption(item->data(kOptionRole).toInt(), item->checkState() == Qt::Checked ? 1 : 0);
    emit changed();
}

void GroupTab::chooseColour(int colour) {
    const QColor shown = shownColour(options_, colour);
    const QColor chosen =
        QColorDialog::getColor(shown, this, fromView(OptionTable::colourName(colour)));
    // Accepting the colour as shown keeps a built-in default, so it still follows the desktop.
    if (!chosen.isValid() || chosen.rgb() == shown.rgb()) return;
    settings_.setColour(colour, settingFromColour(chosen));
    showColour(colour);
    emit changed();
}

void GroupTab::showColour(int colour) {
    swatches_.at(colour)->setIcon(swatchIcon(shownColour(options_, colour)));
}

void GroupTab::saveAsDefault() {
    if (settings_.saveGroup(group_)) return;
    QMessageBox::warning(this, QString::fromLatin1(kSaveAsDefault),
                         QString::fromLatin1(kSaveFailed));
}

void GroupTab::resetDefaults() {
    settings_.loadGroup(group_);
    emit reloaded();
    emit changed();
}

// The window's own command switches: its settings groups, bars, size and this dialog.
void GroupTab::switchConfig() {
    emit switchConfigRequested();
}

OptionsDialog::OptionsDialog(SettingsGroups& settings, OptionTable& options, Engine& engine,
                             TapeDocument& document, ColumnActions& actions, QWidget* parent)
    : QDialog(parent), settings_(settings), options_(options), document_(document) {
    setWindowTitle(QString::fromLatin1(kOptionsTitle));
    tabs_ = new QTabWidget(this);
    addGroupTab(new CalculatorTab(settings, options, engine, tabs_),
                QString::fromLatin1(kCalculatorCaption));
    auto* tape = new TapeTab(settings, options, document, actions, tabs_);
    connect(tape, &TapeTab::columnsChanged, this, &OptionsDialog::columnsChanged);
    addGroupTab(tape, QString::fromLatin1(kTapeCaption));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QString::fromLatin1(kCloseText));
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void OptionsDialog::addPrinterTab(PageLayout& layout, PrintCommands& commands) {
    auto* printer = new PrinterTab(settings_, options_, document_, layout, commands, tabs_);
    connect(printer, &PrinterTab::closeRequested, this, &OptionsDialog::accept);
    connect(printer, &PrinterTab::messengerRequested, this, &OptionsDialog::messengerRequested);
    addGroupTab(printer, QString::fromLatin1(kPrinterCaption));
}

void OptionsDialog::addGroupTab(GroupTab* tab, const QString& caption) {
    groupTabs_.push_back(tab);
    tabs_->addTab(tab, caption);
    connect(tab, &GroupTab::changed, this, &OptionsDialog::optionsChanged);
    connect(tab, &GroupTab::reloaded, this, &OptionsDialog::refresh);
    connect(tab, &GroupTab::switchConfigRequested, this, &OptionsDialog::switchConfigRequested);
}

void OptionsDialog::refresh() {
    for (GroupTab* tab : groupTabs_) tab->refresh();
}

void OptionsDialog::showTab(int index) {
    refresh();
    if (index >= 0 && index < tabs_->count()) tabs_->setCurrentIndex(index);
    show();
    raise();
    activateWindow();
}

}  // namespace talvex
