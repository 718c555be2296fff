// How the window reads: every text against the ground it is painted on, under a light and a
// dark desktop.
#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStringList>
#include <QStyleFactory>
#include <QToolButton>

#include <vector>

#include "WindowHarness.h"
#include "engine/OptionNumbers.h"
#include "platform/Colours.h"
#include "platform/DisplayBar.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

// Colour settings and their RGB values.
using ColourSettings = QList<QPair<int, int>>;

// A dark desktop as many themes make it: light text, grey translucent hints.
QPalette darkDesktop() {
    const QColor text(232, 232, 232);
    QPalette palette(text, QColor(60, 60, 64), QColor(90, 90, 96), QColor(20, 20, 22),
                     QColor(40, 40, 44), text, Qt::white, QColor(30, 30, 32), QColor(45, 45, 48));
    palette.setColor(QPalette::ButtonText, text);
    QColor hint = text;
    hint.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, hint);
    return palette;
}

// The colour behind a widget: the nearest widget, itself included, that paints its ground.
QColor groundOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(QPalette::Active, w->backgroundRole());
    }
    return {};
}

struct Text {
    QString where;
    QColor ink, ground;
};

// The widget's class and name, enough to find it.
QString nameOf(const QWidget* widget) {
    return QString::fromLatin1(widget->metaObject()->className()) + " " + widget->objectName();
}

// Every text the window can show, with the colours the widget paints it in. Disabled controls
// may be faint by design; the tape's cells have their own test with the grid's model.
std::vector<Text> textsOf(QWidget& window) {
    std::vector<Text> texts;
    const auto add = [&](const QWidget* widget, QPalette::ColorRole ink, const QColor& ground) {
        texts.push_back({nameOf(widget), widget->palette().color(QPalette::Active, ink), ground});
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isEnabled() && !label->text().isEmpty())
            add(label, label->foregroundRole(), groundOf(label));
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isEnabled() || (button->text().isEmpty() && button->icon().isNull())) continue;
        const QColor face = button->palette().color(QPalette::Active, QPalette::Button);
        add(button, QPalette::ButtonText, face);
        // A raised-on-hover tool button shows its caption on the bar it sits on.
        if (auto* tool = qobject_cast<const QToolButton*>(button); tool && tool->autoRaise())
            add(button, QPalette::ButtonText, groundOf(tool->parentWidget()));
    }
    const auto addEdits = [&](const auto& edits) {
        for (const auto* edit : edits) {
            const QColor paper = edit->palette().color(QPalette::Active, QPalette::Base);
            add(edit, QPalette::Text, paper);
            if (!edit->placeholderText().isEmpty()) add(edit, QPalette::PlaceholderText, paper);
        }
    };
    addEdits(window.findChildren<QLineEdit*>());
    addEdits(window.findChildren<QPlainTextEdit*>());
    // An area that paints its own ground gives the ink for what is drawn straight on it.
    for (const QWidget* area : window.findChildren<QWidget*>()) {
        if (area->autoFillBackground() && area->backgroundRole() == QPalette::Window)
            add(area, QPalette::WindowText, groundOf(area));
    }
    for (const DisplayBar* display : window.findChildren<DisplayBar*>())
        texts.push_back({nameOf(display), display->shownTextColour(), display->shownBackground()});
    return texts;
}

}  // namespace

class WindowLookTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;

  private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void cleanup() { h_.session.reset(); }

    void everyTextReadsOnItsGround_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<ColourSettings>("colours");
        const ColourSettings defaults;
        // Ink the same as its ground, and a black keypad under a dark desktop.
        const ColourSettings clashing{
            {colour::kNotesBack, 0x30f0f0},     {colour::kNotesText, 0x30f0f0},
            {colour::kLcdBackground, 0x202020}, {colour::kLcdTapeOn, 0x202020},
            {colour::kLcdTapeOff, 0x202020},    {colour::kKeypadBack, 0},
            {colour::kSubpads, 0x400000}};
        const ColourSettings pale{{colour::kNotesBack, 0xffffff},
                                  {colour::kNotesText, 0xc0ffff},
                                  {colour::kKeypadBack, 0xffffff},
                                  {colour::kSubpads, 0xf0f0f0}};
        QTest::newRow("light desktop") << false << defaults;
        QTest::newRow("dark desktop, built-in colours") << true << defaults;
        QTest::newRow("dark desktop, clashing colours") << true << clashing;
        QTest::newRow("dark desktop, pale colours") << true << pale;
    }
    void everyTextReadsOnItsGround() {
        QFETCH(bool, dark);
        QFETCH(ColourSettings, colours);
        QApplication::setPalette(dark ? darkDesktop() : QApplication::style()->standardPalette());
        h_.install();
        QVERIFY(h_.open());
        for (const auto& [colour, rgb] : colours) h_.session->settings().setColour(colour, rgb);
        h_.window().documentChanged();
        const std::vector<Text> texts = textsOf(h_.window());
        QVERIFY(texts.size() > 40);
        QStringList unreadable;
        for (const Text& text : texts) {
            const double ratio = contrastRatio(text.ink, text.ground);
            if (ratio < kReadableContrast)
                unreadable << QString("%1: %2 on %3 is %4:1")
                                  .arg(text.where, text.ink.name(QColor::HexArgb),
                                       text.ground.name())
                                  .arg(ratio, 0, 'f', 2);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join("; ")));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::WindowLookTest)
#include "WindowLookTest.moc"
