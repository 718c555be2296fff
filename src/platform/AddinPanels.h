#pragma once

#include <QWidget>

#include <array>

#include "addins/AddinPanelsPort.h"

class QAbstractButton;
class QActionGroup;
class QComboBox;
class QContextMenuEvent;
class QMenu;
class QPushButton;

namespace talvex {

class AddinFramework;

// The add-in area under the keypad: a button per slot that drops down the slot's add-ins, the
// device and calculation panels of eight buttons, and the lists that go with them. What it
// shows the framework decides; the user's choices and presses go straight back to it.
class AddinPanels : public QWidget, public AddinPanelsPort {
    Q_OBJECT

  public:
    static constexpr int kSlots = 2;

    explicit AddinPanels(AddinFramework& framework, QWidget* parent = nullptr);

    // AddinPanelsPort
    void showPanel(int slot, const PanelView& panel) override;
    void hidePanel(int slot) override;
    void setButtonEnabled(int slot, int button, bool enabled) override;
    void fillList(int list, const std::vector<std::string>& entries, int selected) override;
    void showSelected(int list, int index) override;
    void setListEnabled(int list, bool enabled) override;
    void dropDownList(int list) override;

    // The button that drops down a slot's add-ins.
    QPushButton* chooser(int slot) const;
    QMenu* chooserMenu(int slot) const;
    QWidget* panel(int slot) const;
    QAbstractButton* button(int slot, int button) const;
    // The device add-in's own lists and the function list; nullptr for the others.
    QComboBox* list(int list) const;
    // What a right-click on the panel's button (or, with -1, on the panel) shows.
    QString contextHelp(int slot, int button) const;

  signals:
    // The user is about to choose or press something: the keys belong to the tape again, and
    // the last message goes, as with the keypad.
    void used();
    void helpShown(const QString& text);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    struct Slot {
        QPushButton* chooser = nullptr;
        QMenu* menu = nullptr;
        QActionGroup* choices = nullptr;
        QWidget* panel = nullptr;
        std::array<QPushButton*, PanelLayout::kButtons> buttons{};
        PanelView view;
    };

    QPushButton* makeChooser(int slot, const QString& caption, const QString& tip);
    QWidget* makePanel(int slot);
    QComboBox* makeList(int list);
    void fillChooser(int slot, const std::vector<std::string>& entries, int selected);
    void updateList(int list);

    AddinFramework& framework_;
    std::array<Slot, kSlots> slots_;
    std::array<QComboBox*, addin_list::kCount> lists_{};
    std::array<bool, addin_list::kCount> listAllowed_{};
};

}  // namespace talvex
