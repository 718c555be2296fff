#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>

class QEvent;
class QPaintEvent;

namespace talvex {

// The calculator's LCD: one right-aligned line of figures in a large fixed-pitch font.
class DisplayBar : public QWidget {
    Q_OBJECT

  public:
    explicit DisplayBar(QWidget* parent = nullptr);

    QString text() const { return text_; }
    QColor textColour() const { return textColour_; }
    QColor background() const { return background_; }
    // The text as it fits the current width: shrunk first, then shortened at its start.
    QString visibleText() const;
    QFont visibleFont() const;
    // The colours the figures are painted with; a text colour that would not read on the
    // background is darkened or lightened until it does.
    QColor shownTextColour() const;
    QColor shownBackground() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  public slots:
    void setText(const QString& text);
    // An invalid colour falls back to the desktop palette.
    void setTextColour(const QColor& colour);
    void setBackground(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QFont lcdFont() const;
    QRect figuresRect() const;

    QString text_;
    QColor textColour_;
    QColor background_;
};

}  // namespace talvex
