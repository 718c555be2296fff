#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace talvex {

void QtClipboard::setText(const std::string& text, const std::string& link) {
    auto* data = new QMimeData;
    data->setText(QString::fromLocal8Bit(text.c_str()));
    if (!link.empty()) data->setData(kLinkFormat, QByteArray::fromStdString(link));
    QGuiApplication::clipboard()->setMimeData(data);
}

// Both come in the tape's own encoding; the clipboard offers the HTML as UTF-8, as its page
// says.
void QtClipboard::setCells(const std::string& text, const std::string& html) {
    auto* data = new QMimeData;
    data->setText(QString::fromLocal8Bit(text.c_str()));
    data->setHtml(QString::fromLocal8Bit(html.c_str()));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::string QtClipboard::text() const {
    return QGuiApplication::clipboard()->text().toLocal8Bit().toStdString();
}

}  // namespace talvex
