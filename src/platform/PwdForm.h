// The messenger's password prompt: OK only with the exact password; a wrong one says so in
// the caption and the box takes the next try.
#pragma once

#include <QDialog>

#include "messenger/MessengerLocks.h"

class QLineEdit;

namespace talvex {

class PwdForm : public QDialog {
    Q_OBJECT

  public:
    PwdForm(const std::string& password, QWidget* parent);

    QLineEdit* box() const { return box_; }

    // True when the user gave the password; false when the prompt was cancelled.
    static bool ask(const std::string& password, QWidget* parent);

  private:
    void tryPassword();

    PasswordPrompt prompt_;
    QLineEdit* box_ = nullptr;
};

}  // namespace talvex
