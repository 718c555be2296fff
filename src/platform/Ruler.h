// The print ruler over the tape: the paper's width and margins in character columns of the
// tape font. A click opens the page layout.
#pragma once

#include <QWidget>

#include "platform/PaperFrame.h"

namespace talvex {

class Ruler : public QWidget {
    Q_OBJECT

  public:
    explicit Ruler(QWidget* parent = nullptr);

    // Where the paper lies and how wide one character column is, in pixels.
    void setPlacement(const PaperPixels& placement, int characterWidth);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PaperPixels placement_;
    int characterWidth_ = 8;
};

}  // namespace talvex
