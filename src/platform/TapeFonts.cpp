#include "platform/TapeFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <string>

#include "documents/TapeDocument.h"

namespace talvex {

namespace {

// Sizes outside this range are damage, not a choice: the desktop's size is kept instead.
constexpr double kSmallestPoints = 6;
constexpr double kLargestPoints = 72;

// Amounts line up on their separator only where every character they are written with takes
// the same advance: figures, separators, sign and the blanks that pad them. Fonts drawn for that
// are not always flagged fixed pitch (Noto Sans Mono is not), so the advances are measured.
bool figuresLineUp(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString characters = QStringLiteral("0123456789.,'- ");
    const qreal advance = metrics.horizontalAdvance(characters.front());
    return advance > 0 && std::all_of(characters.begin(), characters.end(), [&](QChar c) {
               return qFuzzyCompare(metrics.horizontalAdvance(c), advance);
           });
}

void applyStyle(QFont& target, const TapeFont& font) {
    try {
        const double points = std::stod(font.sizes[0]);
        if (points >= kSmallestPoints && points <= kLargestPoints) target.setPointSizeF(points);
    } catch (const std::exception&) {
        // A size that is not a number leaves the desktop's size.
    }
    target.setBold(font.bold);
    target.setItalic(font.italic);
}

}  // namespace

QFont tapeFontOfTheDesktop() {
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (figuresLineUp(desktop)) return desktop;
    QFont candidate = desktop;
    candidate.setFamilies({QStringLiteral("monospace")});
    candidate.setStyleHint(QFont::TypeWriter);
    if (figuresLineUp(candidate)) return candidate;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family)) continue;
        candidate.setFamilies({family});
        if (figuresLineUp(candidate)) return candidate;
    }
    return desktop;
}

// Tapes often name a font of another system ("Courier New"); the desktop may stand in for it
// with a face whose figures line up just as well, or with one whose figures do not.
QFont tapeFontFor(const TapeFont& font) {
    QFont named(QString::fromLocal8Bit(font.name.c_str()));
    named.setStyleHint(QFont::TypeWriter);
    QFont chosen = !font.name.empty() && figuresLineUp(named) ? named : tapeFontOfTheDesktop();
    applyStyle(chosen, font);
    // Bold or italic faces of some families differ in pitch: keep the figures aligned.
    if (!figuresLineUp(chosen)) {
        chosen = tapeFontOfTheDesktop();
        applyStyle(chosen, font);
    }
    return chosen;
}

QFont notesFontFor(const TapeFont& font, const QFont& base) {
    QFont notes = base;
    if (!font.name.empty()) notes.setFamilies({QString::fromLocal8Bit(font.name.c_str())});
    applyStyle(notes, font);
    return notes;
}

QString shortDateText(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return typed;
    const QLocale locale;
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid()) date = locale.toDate(text, QLocale::ShortFormat);
    if (!date.isValid()) date = locale.toDate(text, QLocale::LongFormat);
    return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : typed;
}

}  // namespace talvex
