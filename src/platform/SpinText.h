// A text box with a spin button: the page layout's spacings and paper sizes, which are numbers
// kept as text, in the measure's own units or in inches (with the inch mark).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace talvex {

class SpinText : public QWidget {
    Q_OBJECT

  public:
    explicit SpinText(QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }
    QString text() const;
    void setText(const QString& text);

    // One step up or down: a whole unit, or a quarter inch where the text is in inches; never
    // below zero, and the inch mark stays.
    static QString stepped(const QString& text, int direction);

  signals:
    // The user changed the text: on leaving the box, or with the spin button.
    void edited(const QString& text);

  private:
    void step(int direction);

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace talvex
