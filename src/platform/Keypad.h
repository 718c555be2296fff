#pragma once

#include <QChar>
#include <QColor>
#include <QSize>
#include <QWidget>

#include <array>
#include <span>

class QAbstractButton;
class QActionGroup;
class QEvent;
class QFrame;
class QMenu;
class QPushButton;

namespace talvex {

// The calculator's keypad. It only reports which key was pressed; the engine decides what a
// key does, and the window tells the keypad which captions to show.
class Keypad : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kKeyCount = 27;  // codes 0 to 26; 24 is reserved and has no button
    static constexpr int kGotoCount = 4;  // first, previous, next, last line
    static constexpr int kGroupModeCount = 4;

    explicit Keypad(QChar decimalSeparator, QWidget* parent = nullptr);

    // The button that sends key `code`; nullptr for the reserved code and for codes that
    // have no button.
    QAbstractButton* button(int code) const;
    QAbstractButton* gotoButton(int index) const;
    QAbstractButton* tapeButton() const;
    QMenu* groupMenu() const { return groupMenu_; }
    bool isCompact() const { return compact_; }
    QSize sizeHint() const override;

  public slots:
    void setTapeOn(bool on);
    void setCountsOn(bool on);
    void setCompact(bool compact);
    // An invalid colour gives the area back to the desktop palette.
    void setColours(const QColor& keypadBack, const QColor& subpads);
    // Marks the group-total mode in use, so the drop-down shows which one the next GT takes.
    void setGroupMode(int mode);
    void setLeftSubpadVisible(bool visible);
    void setNavigationVisible(bool visible);

  signals:
    void keyPressed(int code);
    void groupModeChosen(int mode);
    void gotoPressed(int index);
    void tapeSwitchPressed();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QPushButton* makeKey(int code);
    QFrame* makeSubpad(const char* name, std::span<const int> cells, int columns);
    QWidget* makeNavigation();
    void makeGroupMenu();
    void updateCaptions();
    void updateFonts();
    void limitKeySize(QPushButton* key);
    void updateNavigationFonts();
    void updateIcons();

    std::array<QPushButton*, kKeyCount> keys_{};
    std::array<QPushButton*, kGotoCount> gotos_{};
    QPushButton* tape_ = nullptr;
    QMenu* groupMenu_ = nullptr;
    QActionGroup* groupModes_ = nullptr;
    QFrame* leftSubpad_ = nullptr;
    QFrame* mainSubpad_ = nullptr;
    QWidget* navigation_ = nullptr;
    QChar decimalSeparator_;
    bool tapeOn_ = false;
    bool countsOn_ = false;
    bool compact_ = false;
};

}  // namespace talvex
