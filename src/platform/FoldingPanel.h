#pragma once

#include <QObject>

class QEvent;
class QSplitter;
class QWidget;

namespace talvex {

// A panel beside the tape in a splitter that folds down when it has nothing to show, the
// tape taking its room, and opens again when it has. Folded, it keeps `foldedSize` (0 hides
// it behind the splitter's handle, where a drag still opens it).
class FoldingPanel : public QObject {
    Q_OBJECT

  public:
    FoldingPanel(QSplitter* splitter, QWidget* panel, QWidget* tape, int foldedSize, int openSize);

    void setOpen(bool open);
    bool isOpen() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();

    QSplitter* splitter_;
    QWidget* panel_;
    QWidget* tape_;
    int foldedSize_;
    int openSize_;
    bool open_ = true;
    // The splitter had no size to share yet: the fold is applied when it has one.
    bool pending_ = false;
};

}  // namespace talvex
