#pragma once

#include <QModelIndex>
#include <QObject>
#include <QPersistentModelIndex>
#include <QTableView>

#include <vector>

class QAbstractItemModel;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace talvex {

class TapeCellDelegate;
class TapeModel;

// The paper tape: the grid over a TapeModel. It shows the engine's current line and passes
// the calculator keys on as signals; the owner hands them to the engine. Moving to another
// line is only proposed (rowSelected): the owner asks the engine and, when the engine refuses,
// puts the selection back with showTapeRow.
class TapeView : public QTableView {
    Q_OBJECT

  public:
    explicit TapeView(QWidget* parent = nullptr);

    // The view works over a TapeModel; any other model is shown without the tape's rules.
    void setModel(QAbstractItemModel* model) override;
    TapeModel* tapeModel() const { return model_; }
    // The document column of the current cell (0 when there is none), for cut, copy and paste.
    int currentDataColumn() const;
    void setCurrentDataColumn(int dataColumn);
    // Room after the line numbers, in pixels.
    void setLineNumberGap(int pixels);
    // The narrowest the view can be without hiding a column's part: the description at its
    // smallest, the line numbers without their gap.
    int leastWidth() const;
    // The tape rows of the selected lines, top to bottom.
    std::vector<int> selectedTapeRows() const;

  public slots:
    // Selects the tape row and scrolls to it without proposing the move to the engine.
    void showTapeRow(int tapeRow);
    // Scrolls a row to the top of the view without moving the cursor.
    void showRowAtTop(int tapeRow);
    // Widths, hidden columns, line numbers, headers, grid lines and colours from the document
    // and the options; call after either changes.
    void applyLayout();

  signals:
    void keyChar(char c);
    void keyCode(int code);
    void enterPressed();
    void backspacePressed();
    void insertLine();
    void deleteLine();
    void rowSelected(int tapeRow);
    // The user dragged a column to a new width, in characters of the tape font.
    void columnResized(int dataColumn, int characters);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    bool handleCalculatorKey(QKeyEvent* event);
    bool handleTypedText(QKeyEvent* event);
    void moveDown();
    void followEngine();
    void restorePending();
    void selectOnly(const QModelIndex& index, bool keepSelection);
    int startColumn() const;
    int characterWidth() const;
    int pixelsFor(int characters) const;
    void applyColumns();
    void fitDescription();
    void applyRows();
    void applyLineNumbers();
    void applyColours();
    void userResizedColumn(int column, int oldSize, int newSize);

    TapeModel* model_ = nullptr;
    TapeCellDelegate* delegate_;
    bool restoring_ = false;
    bool proposing_ = false;
    bool applyingLayout_ = false;
    int leftColumn_ = -1;
    int lineNumberGap_ = 0;
    QPersistentModelIndex pending_;
};

}  // namespace talvex
