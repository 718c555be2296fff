#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

class QEvent;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace talvex {

// The reference slots beside the tape: box n shows the value of reference n. Boxes are
// created on demand up to the highest slot in use.
class ReferencePanel : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxBoxes = 50;

    explicit ReferencePanel(QWidget* parent = nullptr);

    int boxCount() const { return static_cast<int>(rows_.size()); }
    // Box n (1-based); nullptr when it does not exist.
    QLineEdit* box(int n) const;
    QString slotText(int n) const;
    QSize sizeHint() const override;

  public slots:
    // Slots outside 1 to kMaxBoxes are not shown: the registry never hands them out.
    void setSlot(int n, const QString& text);
    void clear();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    struct Row {
        QLabel* number;
        QLineEdit* box;
    };

    void addRow();
    void keepHintReadable();

    QScrollArea* scroll_ = nullptr;
    QGridLayout* grid_ = nullptr;
    QLabel* empty_ = nullptr;
    std::vector<Row> rows_;
};

}  // namespace talvex
