// The "Page Layout" dialog: print format, paper, the eight spacings with their switches, the
// paper size, and the header, column-header and footer texts with their print attributes. It
// edits the live layout; there is nothing to cancel.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace talvex {

class ConfigStore;
class PageLayout;
class SettingsGroups;
class SpinText;

class LayoutDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kSpacings = 8;
    static constexpr int kPageTexts = 3;  // header, column header, footer

    // tapeOn: whether tape recording is on, which decides the formats offered.
    LayoutDialog(PageLayout& layout, SettingsGroups& settings, ConfigStore& config,
                 std::function<bool()> tapeOn, QWidget* parent = nullptr);

    // Shows the layout as it is now; nothing is written back while the boxes are filled.
    void fill();

    QComboBox* formatList() const { return format_; }
    QComboBox* paperList() const { return paper_; }
    SpinText* spacing(int i) const { return spacings_[i]; }
    QCheckBox* spacingCheck(int i) const { return checks_[i]; }
    SpinText* widthBox() const { return width_; }
    SpinText* heightBox() const { return height_; }
    QLineEdit* pageText(int i) const { return pageTexts_[i]; }
    QToolButton* attributeButton(int attribute) const { return attributeButtons_[attribute]; }
    QLabel* refusal() const { return refusal_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The layout changed: the ruler and the tape follow its width and margins.
    void layoutChanged();

  private:
    QWidget* makeChoices();
    QWidget* makeSpacings();
    QWidget* makePageTexts();
    QWidget* makeButtons();
    void choosePaper(int entry);
    void enablePaperSize();
    void storeText(int index, const QString& text);
    void toggleAttribute(int attribute);
    void showAttributes(int pageText);
    void refuseCommas(QLineEdit* edit);
    void resetDefaults();
    void saveAsDefault();

    PageLayout& layout_;
    SettingsGroups& settings_;
    ConfigStore& config_;
    std::function<bool()> tapeOn_;
    bool filling_ = false;
    QComboBox* format_ = nullptr;
    QComboBox* paper_ = nullptr;
    std::array<SpinText*, kSpacings> spacings_{};
    std::array<QCheckBox*, kSpacings> checks_{};
    SpinText* width_ = nullptr;
    SpinText* height_ = nullptr;
    std::array<QLineEdit*, kPageTexts> pageTexts_{};
    std::array<QToolButton*, 4> attributeButtons_{};
    QCheckBox* saveWithTape_ = nullptr;
    QLabel* refusal_ = nullptr;
    int lastPageText_ = 0;
};

}  // namespace talvex
