// The options dialog: one tab per settings group. Every change goes to the core the moment it
// is made, as on a calculator, so the dialog has no OK or Apply.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <map>
#include <vector>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QToolButton;

namespace talvex {

class ColumnActions;
class Engine;
class PageLayout;
class PrintCommands;
class OptionTable;
class SettingsGroups;
struct TapeDocument;

// What every group's tab holds: the group's options as a check list, its colours as swatches,
// and the "Settings" frame that keeps the group with the tape or in the configuration file.
class GroupTab : public QWidget {
    Q_OBJECT

  public:
    GroupTab(SettingsGroups& settings, OptionTable& options, int group, QWidget* parent);

    // Shows the core's current values again, without setting anything.
    virtual void refresh();

  signals:
    void changed();
    // The group was reloaded or the configuration switched: every tab must show the core anew.
    void reloaded();
    void switchConfigRequested();

  protected:
    QGroupBox* makeOptionList(int first, int count);
    QGroupBox* makeColours(int first, int count, int columns);
    QGroupBox* makeSettingsFrame();
    SettingsGroups& settings() { return settings_; }

  private:
    void optionToggled(QListWidgetItem* item);
    void chooseColour(int colour);
    void showColour(int colour);
    void saveAsDefault();
    void resetDefaults();
    void switchConfig();

    SettingsGroups& settings_;
    OptionTable& options_;
    int group_;
    QListWidget* optionList_ = nullptr;
    std::map<int, QToolButton*> swatches_;
    QCheckBox* saveWithTape_ = nullptr;
};

class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kCalculatorTab = 0;
    static constexpr int kTapeTab = 1;
    static constexpr int kPrinterTab = 2;

    OptionsDialog(SettingsGroups& settings, OptionTable& options, Engine& engine,
                  TapeDocument& document, ColumnActions& actions, QWidget* parent = nullptr);

    // The "&Printer" tab, for a program that prints.
    void addPrinterTab(PageLayout& layout, PrintCommands& commands);

    // Brings the dialog up on one of its tabs, showing the core's current values.
    void showTab(int index);
    // For changes made elsewhere (a tape opened, a view switch) while the dialog is open.
    void refresh();

  signals:
    // The document's columns changed: the window must lay out the grid again.
    void columnsChanged();
    void optionsChanged();
    void switchConfigRequested();
    void messengerRequested();

  private:
    void addGroupTab(GroupTab* tab, const QString& caption);

    SettingsGroups& settings_;
    OptionTable& options_;
    TapeDocument& document_;
    QTabWidget* tabs_ = nullptr;
    std::vector<GroupTab*> groupTabs_;
};

}  // namespace talvex
