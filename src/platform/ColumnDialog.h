// "Edit Column": the caption, width, type and visibility of one tape column, for the column
// buttons of the options dialog.
#pragma once

#include <QDialog>

#include "documents/DialogsPort.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace talvex {

class ColumnDialog : public QDialog {
    Q_OBJECT

  public:
    // Widths are characters; a column narrower than one would be unusable, and hiding a
    // column is what "Visible:" is for.
    static constexpr int kMinWidth = 1;
    static constexpr int kMaxWidth = 255;

    explicit ColumnDialog(const ColumnDialogState& state, QWidget* parent = nullptr);

    // What DialogsPort::editColumn shows. True on OK, with state holding the user's fields;
    // on Cancel state is left as it was.
    static bool edit(ColumnDialogState& state, QWidget* parent);

    // The fields as they stand. A role column keeps its type whatever the list shows.
    ColumnDialogState state() const;

    // Refuses to close while the width is not a number.
    void accept() override;

  private:
    QWidget* makeDetails();
    void fillTypes();
    void updateOkButton();
    bool widthAcceptable() const;

    ColumnDialogState initial_;
    QLineEdit* name_ = nullptr;
    QLineEdit* width_ = nullptr;
    QComboBox* type_ = nullptr;
    QCheckBox* visible_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace talvex
