#include "app/StartupDialogs.h"

#include <QMessageBox>

namespace talvex {

namespace {
QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}
}  // namespace

bool StartupDialogs::confirm(const StartupMessage& question) {
    return QMessageBox::critical(nullptr, local(question.title), local(question.text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void StartupDialogs::show(const StartupMessage& message) {
    QMessageBox::critical(nullptr, local(message.title), local(message.text));
}

}  // namespace talvex
