// The "&Printer" tab: which lines print, which kinds of lines and dividers are included, the
// print font and the columns on paper, and the buttons that set the printer up and print.
#pragma once

#include <array>

#include "platform/OptionsDialog.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace talvex {

class PageLayout;
class PrintColumns;
class PrintCommands;

class PrinterTab : public GroupTab {
    Q_OBJECT

  public:
    static constexpr int kIncludeSwitches = 10;  // layout switches 0 to 9

    PrinterTab(SettingsGroups& settings, OptionTable& options, TapeDocument& document,
               PageLayout& layout, PrintCommands& commands, QWidget* parent);

    void refresh() override;

    QRadioButton* allLines() const { return allLines_; }
    QRadioButton* selectedLines() const { return selectedLines_; }
    QSpinBox* fromBox() const { return from_; }
    QSpinBox* toBox() const { return to_; }
    QCheckBox* includeSwitch(int index) const { return includes_[index]; }
    QCheckBox* proportional() const { return proportional_; }
    QPushButton* button(const QString& caption) const;

  signals:
    // "&Print" printed, or "Cl&ose": the dialog goes.
    void closeRequested();
    // "&Messenger...": the messenger's settings, behind its password.
    void messengerRequested();

  private:
    QGroupBox* makeRange();
    QGroupBox* makeIncludes();
    QGroupBox* makeFonts();
    QWidget* makeButtons();
    void storeRange();
    void enableRange();
    void print();
    void chooseFont();
    void showPrinter();

    TapeDocument& document_;
    PageLayout& layout_;
    PrintCommands& commands_;
    QRadioButton* allLines_ = nullptr;
    QRadioButton* selectedLines_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    std::array<QCheckBox*, kIncludeSwitches> includes_{};
    QCheckBox* proportional_ = nullptr;
    QLabel* fontText_ = nullptr;
    QLabel* labelSize_ = nullptr;
    QLabel* printerText_ = nullptr;
    PrintColumns* columns_ = nullptr;
    bool filling_ = false;
};

}  // namespace talvex
