#include "platform/PwdForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvex {

namespace {

constexpr const char* kLabel = "Please Enter Password";
constexpr const char* kCancel = "Cancel";

QString latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PwdForm::PwdForm(const std::string& password, QWidget* parent)
    : QDialog(parent), prompt_(password) {
    setObjectName("PwdForm");
    setWindowTitle(latin(prompt_.caption()));
    auto* label = new QLabel(QString::fromLatin1(kLabel), this);
    box_ = new QLineEdit(this);
    box_->setEchoMode(QLineEdit::Password);
    label->setBuddy(box_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QString::fromLatin1(kCancel), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PwdForm::tryPassword);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(box_);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void PwdForm::tryPassword() {
    if (prompt_.submit(box_->text().toLocal8Bit().toStdString())) return accept();
    setWindowTitle(latin(prompt_.caption()));
    box_->selectAll();
    box_->setFocus();
}

bool PwdForm::ask(const std::string& password, QWidget* parent) {
    PwdForm form(password, parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace talvex
