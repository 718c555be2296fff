// "Talvex Messenger": the messenger's settings dialog. It edits a copy of the live record;
// OK, "Apply" and "SaveAs Default" apply it to the panel, "Cancel" leaves everything as it was.
// Controls are named as the record's fields know them ("Text0" the logo file, "Place1" the
// wallpaper placement, "Chks2" "Launch:", "Cmd5" "SaveAs Default", ...).
#pragma once

#include <QDialog>

#include <array>

#include "messenger/MessengerRecord.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace talvex {

class ConfigStore;
class DialogsPort;
class MessengerSettings;
class SettingsGroups;

class LogoForm : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTexts = 9;
    static constexpr int kPlaces = 5;
    static constexpr int kChecks = 11;

    LogoForm(MessengerSettings& messenger, SettingsGroups& settings, const ConfigStore& config,
             DialogsPort& dialogs, QWidget* parent);

    // The colour swatches, as the colour dialog would set them.
    void setColour(int index, long long value);

  signals:
    // The dialog's record was applied: the tape changed and the window lays out anew.
    void applied();

  private:
    QWidget* makeLogoTab();
    QWidget* makeBrowserTab();
    QGroupBox* makeDetails();
    QGroupBox* makeOptions();
    QGroupBox* makeSettings();
    QWidget* makeButtons();
    QLineEdit* makeText(int index);
    QComboBox* makePlace(int index, const QStringList& items);
    QCheckBox* makeCheck(int index, const char* caption);
    QPushButton* makeCommand(int index, const QString& caption);

    void fill(const MessengerRecord& record);
    MessengerRecord edited() const;
    void checkHeights();
    void applyDialog();
    void saveAsDefault();
    void browsePicture(int box, const char* what);
    void browsePage();
    void chooseColour(int index);

    MessengerSettings& messenger_;
    SettingsGroups& settings_;
    const ConfigStore& config_;
    DialogsPort& dialogs_;
    std::array<QLineEdit*, kTexts> texts_{};
    std::array<QComboBox*, kPlaces> places_{};
    std::array<QCheckBox*, kChecks> checks_{};
    std::array<QToolButton*, 2> colourButtons_{};
    std::array<long long, 2> colours_{};
    QCheckBox* saveWithTape_ = nullptr;
};

}  // namespace talvex
