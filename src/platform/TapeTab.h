// The "&Tape" tab: the tape group's options and colours, and the document's columns.
#pragma once

#include "platform/OptionsDialog.h"

class QPushButton;
class QTableWidget;

namespace talvex {

class TapeTab : public GroupTab {
    Q_OBJECT

  public:
    TapeTab(SettingsGroups& settings, OptionTable& options, TapeDocument& document,
            ColumnActions& actions, QWidget* parent);

    void refresh() override;

  signals:
    void columnsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGroupBox* makeColumnList();
    void refreshColumns();
    void fillRow(int row, int col);
    // The column of the list's current row, or 0 on the empty last row.
    int selectedColumn() const;
    void runAction(int action);
    void enableButtons();
    bool handleKey(int key, const QString& text);
    void refuseTyping();

    TapeDocument& document_;
    ColumnActions& actions_;
    QTableWidget* columns_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace talvex
