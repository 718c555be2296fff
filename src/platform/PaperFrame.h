// The tape drawn on its paper: the print ruler above the grid, both as wide as the page
// layout's paper, the grid inside the left and right margins. Kept usable on any window: the
// paper never gets wider than the pane, nor narrower than a tape can be worked on, and the
// margins never take more than a third of it. Continuous or unknown widths fill the pane.
#pragma once

#include <QWidget>

namespace talvex {

class Ruler;
class TapeView;

// The paper's width and margins in character columns; 0 width fills the pane.
struct TapePaper {
    double width = 0;
    double left = 0;
    double lineNoGap = 0;
    double right = 0;
};

// Pixel positions across the pane, from its left edge.
struct PaperPixels {
    int paperWidth = 0;
    int left = 0;   // the grid starts here
    int right = 0;  // and ends here
    int gap = 0;    // after the line numbers
};

class PaperFrame : public QWidget {
    Q_OBJECT

  public:
    PaperFrame(Ruler* ruler, TapeView* view, QWidget* parent = nullptr);

    void setPaper(const TapePaper& paper);
    const TapePaper& paper() const { return paper_; }
    // Where the paper, the margins and the grid lie in a pane, for a character width and the
    // narrowest the grid can be without hiding part of a column (leastGrid).
    static PaperPixels place(const TapePaper& paper, int paneWidth, int characterWidth,
                             int leastGrid);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  public:
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  private:
    void arrange();
    PaperPixels placement() const;
    int characterWidth() const;

    Ruler* ruler_;
    TapeView* view_;
    TapePaper paper_;
};

}  // namespace talvex
