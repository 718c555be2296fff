// How the window reads and sits on the screen: every text against the ground it is painted on,
// under a light and a dark desktop, and keys of a usable size in small and large windows.
#include <QAbstractButton>
#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStringList>
#include <QStyleFactory>
#include <QToolButton>

#include <vector>

#include "WindowHarness.h"
#include "platform/Colours.h"
#include "platform/DisplayBar.h"
#include "platform/Keypad.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

// Colour settings the checks below set on purpose.
constexpr int kNotesBack = 9;
constexpr int kNotesText = 10;
constexpr int kKeypadBack = 12;
constexpr int kSubpads = 13;
constexpr int kLcdBackground = 15;
constexpr int kLcdTapeOn = 17;
constexpr int kLcdTapeOff = 18;

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

// The widget's class and the name of the nearest named widget it belongs to.
QString nameOf(const QWidget* widget) {
    const QWidget* named = widget;
    while (named->objectName().isEmpty() && named->parentWidget()) named = named->parentWidget();
    return QString::fromLatin1(widget->metaObject()->className()) + " in " + named->objectName();
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
        const ColourSettings clashing{{kNotesBack, 0x30f0f0},     {kNotesText, 0x30f0f0},
                                      {kLcdBackground, 0x202020}, {kLcdTapeOn, 0x202020},
                                      {kLcdTapeOff, 0x202020},    {kKeypadBack, 0},
                                      {kSubpads, 0x400000}};
        const ColourSettings pale{{kNotesBack, 0xffffff},
                                  {kNotesText, 0xc0ffff},
                                  {kKeypadBack, 0xffffff},
                                  {kSubpads, 0xf0f0f0}};
        QTest::newRow("light desktop") << false << defaults;
        QTest::newRow("dark desktop") << true << defaults;
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

    void keysStayAComfortableSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("keypadAlone");
        QTest::newRow("window 640x480") << QSize(640, 480) << false;
        QTest::newRow("window 1920x1080") << QSize(1920, 1080) << false;
        QTest::newRow("keypad offered 1920x1080") << QSize(1920, 1080) << true;
    }
    // Digit keys grow to about a fingertip and no further, whatever room they are offered; in
    // a small window they stay large enough to hit, side by side.
    void keysStayAComfortableSize() {
        QFETCH(QSize, size);
        QFETCH(bool, keypadAlone);
        QWidget host;
        Keypad* keypad = nullptr;
        if (keypadAlone) {
            keypad = new Keypad(QLatin1Char('.'));
            (new QHBoxLayout(&host))->addWidget(keypad, 1);
            host.show();
        } else {
            h_.install();
            QVERIFY(h_.open());
            keypad = h_.window().keypad();
        }
        QWidget& window = *keypad->window();
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        QApplication::processEvents();
        std::vector<QRect> keys;
        for (int digit = 0; digit <= 9; ++digit) {
            const QAbstractButton* key = keypad->button(digit);
            QVERIFY(key->isVisible());
            const QRect rect(key->mapTo(&window, QPoint(0, 0)), key->size());
            QVERIFY2(
                rect.width() >= 24 && rect.height() >= 24 && rect.width() <= 72 &&
                    rect.height() <= 72,
                qPrintable(
                    QString("key %1 is %2x%3").arg(digit).arg(rect.width()).arg(rect.height())));
            QVERIFY(window.rect().contains(rect));
            for (const QRect& other : keys) QVERIFY(!other.intersects(rect));
            keys.push_back(rect);
        }
        // Room beyond what the keys take is left to the window, for the tape.
        if (size.width() >= 1920) QVERIFY(keypad->width() < size.width() / 3);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::WindowLookTest)
#include "WindowLookTest.moc"
