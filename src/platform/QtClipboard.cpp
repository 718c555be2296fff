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

std::string QtClipboard::text() const {
    return QGuiApplication::clipboard()->text().toLocal8Bit().toStdString();
}

}  // namespace talvex
