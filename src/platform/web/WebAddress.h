// How the text a user or a tape gives becomes the address of a page, and which addresses a
// view is willing to open.
#pragma once

#include <QString>
#include <QUrl>

namespace talvex {

// A full path, a file name in the working folder or a bare host name all name a page.
QUrl webAddressFromText(const QString& text, const QString& workingFolder);

// Only file, http and https: any other scheme could start a program or run a script on the
// user's behalf. Empty when the address may be opened, otherwise the reason it may not.
QString refusalOf(const QUrl& address);

}  // namespace talvex
