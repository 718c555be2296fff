#pragma once

#include <QDate>
#include <QFont>
#include <QString>

namespace talvex {

struct TapeFont;

// The font the tape is drawn in: the one its file names, as the desktop resolves that name,
// when its figures line up; otherwise the desktop's own fixed font. Either way in the file's
// size, bold and italic.
QFont tapeFontFor(const TapeFont& font);
// The desktop's fixed font when its figures line up; else the first monospaced face that does.
QFont tapeFontOfTheDesktop();
// The notes pad writes in the tape font's face and style, whatever its pitch.
QFont notesFontFor(const TapeFont& font, const QFont& base);

// A date typed into a date column, shown in the desktop's short date form; text that is not
// a date shows as it was typed.
QString shortDateText(const QString& typed);

}  // namespace talvex
