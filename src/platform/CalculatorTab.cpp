#include "platform/CalculatorTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "documents/SettingsPort.h"
#include "engine/Engine.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kDecimalFormat = "Decimal Format";
constexpr const char* kUseCommas = "Use Commas";
constexpr const char* kRounding = "5/4 Rounding";
// The decimal modes in the order of their numbers.
constexpr const char* kModeNames[] = {"+  1234=12.34", "F  Floating", "0  None", "P  Places:"};
constexpr const char* kCalcTypeTitle = "Calculator Type";
// The calculator type is the index of the button chosen.
constexpr const char* kCalcTypeNames[] = {"Scientific", "Standard"};

// The calculator options of the number format.
constexpr int kCalcTypeOption = 0;
constexpr int kDecimalModeOption = 1;
constexpr int kPlacesOption = 2;
constexpr int kRoundOption = 3;
constexpr int kThousandsOption = 4;
constexpr int kFixedPlacesMode = 3;
// Beyond 15 places a double has no digits left to show.
constexpr int kMaxPlaces = 15;

constexpr int kFirstOption = 12;  // options 12 to 23
constexpr int kFirstColour = 12;  // colours 12 to 24: 24 is the second "Calculated * Lines"
constexpr int kColourCount = 13;

// Checks the button of an id, or none when a damaged file gave a value without a button.
void checkButton(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

CalculatorTab::CalculatorTab(SettingsGroups& settings, OptionTable& options, Engine& engine,
                             QWidget* parent)
    : GroupTab(settings, options, settings_group::kCalculator, parent), engine_(engine) {
    auto* left = new QVBoxLayout;
    left->addWidget(makeOptionList(kFirstOption, SettingsGroups::kCalculatorOptionBits));
    left->addWidget(makeSettingsFrame());
    left->addStretch();
    // Made in reading order, which is also the order Tab visits them.
    QGroupBox* colours = makeColours(kFirstColour, kColourCount, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(makeDecimalFormat());
    right->addWidget(makeCalcType());
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(colours, 0, Qt::AlignTop);
    layout->addLayout(right);
    refresh();
}

QGroupBox* CalculatorTab::makeDecimalFormat() {
    auto* frame = new QGroupBox(QString::fromLatin1(kDecimalFormat), this);
    commas_ = new QCheckBox(QString::fromLatin1(kUseCommas), frame);
    rounding_ = new QCheckBox(QString::fromLatin1(kRounding), frame);
    connect(commas_, &QCheckBox::toggled, this,
            [this](bool on) { setCalcOption(kThousandsOption, on ? 1 : 0); });
    connect(rounding_, &QCheckBox::toggled, this,
            [this](bool on) { setCalcOption(kRoundOption, on ? 1 : 0); });
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(commas_);
    layout->addWidget(rounding_);
    layout->addWidget(makeDecimalModes(frame));
    return frame;
}

// The places count belongs to the last mode, so it sits beside that button.
QWidget* CalculatorTab::makeDecimalModes(QWidget* parent) {
    auto* modes = new QWidget(parent);
    auto* grid = new QGridLayout(modes);
    grid->setContentsMargins(0, 0, 0, 0);
    modes_ = new QButtonGroup(this);
    for (int mode = 0; mode <= kFixedPlacesMode; ++mode) {
        auto* button = new QRadioButton(QString::fromLatin1(kModeNames[mode]), modes);
        modes_->addButton(button, mode);
        grid->addWidget(button, mode, 0);
    }
    places_ = new QSpinBox(modes);
    places_->setRange(0, kMaxPlaces);
    grid->addWidget(places_, kFixedPlacesMode, 1);
    grid->setColumnStretch(2, 1);
    connect(modes_, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (!checked) return;
        setCalcOption(kDecimalModeOption, mode);
        enablePlaces();
    });
    connect(places_, &QSpinBox::valueChanged, this,
            [this](int places) { setCalcOption(kPlacesOption, places); });
    return modes;
}

QGroupBox* CalculatorTab::makeCalcType() {
    auto* frame = new QGroupBox(QString::fromLatin1(kCalcTypeTitle), this);
    frame->setObjectName(QStringLiteral("CalcType"));
    calcType_ = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(frame);
    for (int type = 0; type < 2; ++type) {
        auto* button = new QRadioButton(QString::fromLatin1(kCalcTypeNames[type]), frame);
        calcType_->addButton(button, type);
        layout->addWidget(button);
    }
    connect(calcType_, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
        if (checked) setCalcOption(kCalcTypeOption, type);
    });
    return frame;
}

void CalculatorTab::setCalcOption(int index, int value) {
    engine_.setCalcOption(index, value);
    emit changed();
}

void CalculatorTab::enablePlaces() {
    places_->setEnabled(modes_->checkedId() == kFixedPlacesMode);
}

void CalculatorTab::refresh() {
    GroupTab::refresh();
    const NumberFormatter& format = engine_.format();
    const QSignalBlocker quietCommas(commas_);
    const QSignalBlocker quietRounding(rounding_);
    const QSignalBlocker quietModes(modes_);
    const QSignalBlocker quietPlaces(places_);
    const QSignalBlocker quietType(calcType_);
    commas_->setChecked(format.option(kThousandsOption) != 0);
    rounding_->setChecked(format.option(kRoundOption) != 0);
    checkButton(modes_, format.option(kDecimalModeOption));
    places_->setValue(format.option(kPlacesOption));
    checkButton(calcType_, format.option(kCalcTypeOption));
    enablePlaces();
}

}  // namespace talvex
