#include "platform/web/WebAddress.h"

#include <QStringList>

namespace talvex {

namespace {

const QStringList kOpenedSchemes = {QStringLiteral("file"), QStringLiteral("http"),
                                    QStringLiteral("https")};

}  // namespace

QUrl webAddressFromText(const QString& text, const QString& workingFolder) {
    return QUrl::fromUserInput(text.trimmed(), workingFolder);
}

QString refusalOf(const QUrl& address) {
    if (!address.isValid()) return QStringLiteral("Not a valid address");
    if (!kOpenedSchemes.contains(address.scheme(), Qt::CaseInsensitive))
        return QStringLiteral("Only file, http and https pages are opened");
    return {};
}

}  // namespace talvex
