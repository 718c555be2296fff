#pragma once

#include <QString>
#include <QStringList>

#include "documents/DialogsPort.h"

class QWidget;

namespace talvex {

// Message boxes, file dialogs, the column dialog and input boxes as the documents and the
// add-ins ask for them.
class QtDialogs : public DialogsPort {
  public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    answer::Answer message(const std::string& text, const std::string& title, Buttons buttons,
                           Icon icon) override;
    FileDialogResult chooseFile(const FileDialogRequest& request) override;
    bool editColumn(ColumnDialogState& state) override;
    void setTitle(const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;

    // "Tapes (*.kwd)|*.kwd|All Files (*.*)|*.*|" as Qt's list of name filters.
    static QStringList nameFilters(const std::string& filter);

  private:
    QWidget* parent_;
};

}  // namespace talvex
