#include "platform/WindowTitle.h"

#include <QString>
#include <QWidget>

namespace talvex {

void showTapeTitle(QWidget* window, const std::string& title) {
    if (!window) return;
    // "[*]" marks where the desktop puts its mark; one in a file name must stay text.
    QString text = QString::fromLocal8Bit(title.c_str());
    text.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    window->setWindowTitle(text + QLatin1String("[*]"));
    window->setWindowModified(false);
}

}  // namespace talvex
