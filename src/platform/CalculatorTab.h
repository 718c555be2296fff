// The "&Calculator" tab: the calculator group's options and colours, the number format and
// the calculator type.
#pragma once

#include "platform/OptionsDialog.h"

class QButtonGroup;
class QRadioButton;
class QSpinBox;

namespace talvex {

class CalculatorTab : public GroupTab {
    Q_OBJECT

  public:
    CalculatorTab(SettingsGroups& settings, OptionTable& options, Engine& engine, QWidget* parent);

    void refresh() override;

  private:
    QGroupBox* makeDecimalFormat();
    QWidget* makeDecimalModes(QWidget* parent);
    QGroupBox* makeCalcType();
    void setCalcOption(int index, int value);
    void enablePlaces();

    Engine& engine_;
    QCheckBox* commas_ = nullptr;
    QCheckBox* rounding_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    QSpinBox* places_ = nullptr;
    QButtonGroup* calcType_ = nullptr;
};

}  // namespace talvex
