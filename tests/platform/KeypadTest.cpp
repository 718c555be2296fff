// The keypad, the display bar and the reference panel: what each control sends and shows.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "platform/DisplayBar.h"
#include "platform/Keypad.h"
#include "platform/ReferencePanel.h"

using talvex::DisplayBar;
using talvex::Keypad;
using talvex::ReferencePanel;

namespace {

// Counts every signal of a keypad, so a test sees a click that went to the wrong signal too.
struct KeypadSpies {
    explicit KeypadSpies(Keypad& keypad)
        : keys(&keypad, &Keypad::keyPressed),
          modes(&keypad, &Keypad::groupModeChosen),
          gotos(&keypad, &Keypad::gotoPressed),
          tape(&keypad, &Keypad::tapeSwitchPressed) {}
    int total() const { return keys.count() + modes.count() + gotos.count() + tape.count(); }

    QSignalSpy keys, modes, gotos, tape;
};

bool hasPixelOf(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) return true;
        }
    }
    return false;
}

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

  private slots:
    void keySendsItsCodeOnceAndShowsItsCaption_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        for (int code = 0; code <= 9; ++code) {
            QTest::addRow("digit %d", code) << code << QString::number(code) << QString();
        }
        QTest::newRow("00") << 10 << "00" << QString();
        QTest::newRow("separator") << 11 << "." << QString();
        QTest::newRow("ref") << 12 << "&Ref"
                             << "Add New/Use Existing Reference";
        QTest::newRow("percent") << 13 << "%" << QString();
        QTest::newRow("clear") << 14 << "&C"
                               << "Clear";
        QTest::newRow("cancel entry") << 15 << "CE"
                                      << "Cancel Entry";
        QTest::newRow("minus") << 16 << "-" << QString();
        QTest::newRow("plus") << 17 << "+" << QString();
        QTest::newRow("subtotal") << 18 << "S"
                                  << "SubTotal";
        QTest::newRow("total") << 19 << "&T"
                               << "Total";
        QTest::newRow("times") << 20 << "X" << QString();
        QTest::newRow("divide") << 21 << "/" << QString();
        QTest::newRow("equals") << 22 << "=" << QString();
        QTest::newRow("counts") << 23 << "&# Off"
                                << "Item Counts On/Off";
        QTest::newRow("star total") << 25 << "W"
                                    << "Total of * Entries (W)";
    }
    void keySendsItsCodeOnceAndShowsItsCaption() {
        QFETCH(int, code);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        KeypadSpies spies(keypad);
        QAbstractButton* button = keypad.button(code);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tip);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(spies.keys.count(), 1);
        QCOMPARE(spies.keys.at(0).at(0).toInt(), code);
        QCOMPARE(spies.total(), 1);
    }

    void everyButtonStaysOutOfTheFocusChainAndExplainsItself() {
        Keypad keypad(QLatin1Char('.'));
        QVERIFY(keypad.button(24) == nullptr);
        QVERIFY(keypad.button(27) == nullptr);
        const QList<QAbstractButton*> buttons = keypad.findChildren<QAbstractButton*>();
        QCOMPARE(buttons.size(), 26 + 4 + 1);  // keys without 24, go-to buttons, tape switch
        QCOMPARE(keypad.focusPolicy(), Qt::NoFocus);
        for (QAbstractButton* button : buttons) {
            QVERIFY2(button->focusPolicy() == Qt::NoFocus, qPrintable(button->objectName()));
            QVERIFY2(!button->whatsThis().isEmpty(), qPrintable(button->objectName()));
        }
        QCOMPARE(keypad.tapeButton()->objectName(), QString("Connected"));
    }

    void decimalKeyShowsTheSeparator_data() {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("point") << QChar('.');
        QTest::newRow("comma") << QChar(',');
    }
    void decimalKeyShowsTheSeparator() {
        QFETCH(QChar, separator);
        Keypad keypad(separator);
        QCOMPARE(keypad.button(11)->text(), QString(separator));
        keypad.setCompact(true);
        QCOMPARE(keypad.button(11)->text(), QString(separator));
    }

    void grandTotalDropsDownTheGroupModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("item");
        QTest::newRow("group totals") << 0 << "group totals";
        QTest::newRow("gts with +/-") << 1 << "gts with +/-";
        QTest::newRow("Grand Total") << 2 << "Grand Total";
        QTest::newRow("GT with +/-") << 3 << "GT with +/-";
    }
    // A real click drops the list down; the item is picked from the open list.
    void grandTotalDropsDownTheGroupModes() {
        QFETCH(int, mode);
        QFETCH(QString, item);
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keypad));
        QCOMPARE(keypad.button(26)->text(), QString("&GT"));
        QCOMPARE(keypad.button(26)->toolTip(), QString("Grand Total"));
        KeypadSpies spies(keypad);
        QString shownItem;
        QTimer::singleShot(0, &keypad, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu != keypad.groupMenu()) return;
            shownItem = menu->actions().at(mode)->text();
            menu->actions().at(mode)->trigger();
            menu->close();
        });
        QTest::mouseClick(keypad.button(26), Qt::LeftButton);
        QTRY_COMPARE(shownItem, item);
        QCOMPARE(spies.modes.count(), 1);
        QCOMPARE(spies.modes.at(0).at(0).toInt(), mode);
        QCOMPARE(spies.total(), 1);
    }

    void groupModeIsMarkedInTheList() {
        Keypad keypad(QLatin1Char('.'));
        const QList<QAction*> items = keypad.groupMenu()->actions();
        QCOMPARE(items.size(), 4);
        QVERIFY(items.at(0)->isChecked());
        keypad.setGroupMode(2);
        QVERIFY(items.at(2)->isChecked() && !items.at(0)->isChecked());
        keypad.setGroupMode(7);
        QVERIFY(items.at(2)->isChecked());
    }

    void gotoButtonSendsItsIndex_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tip");
        QTest::newRow("first") << 0 << "Start of Tape";
        QTest::newRow("previous") << 1 << "Previous Line";
        QTest::newRow("next") << 2 << "Next Line";
        QTest::newRow("last") << 3 << "End of Tape";
    }
    void gotoButtonSendsItsIndex() {
        QFETCH(int, index);
        QFETCH(QString, tip);
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        KeypadSpies spies(keypad);
        QAbstractButton* button = keypad.gotoButton(index);
        QCOMPARE(button->toolTip(), tip);
        QVERIFY(!button->icon().isNull());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(spies.gotos.count(), 1);
        QCOMPARE(spies.gotos.at(0).at(0).toInt(), index);
        QCOMPARE(spies.total(), 1);
    }

    void tapeCaptionShowsTheState_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("caption");
        QTest::newRow("on") << true << "Tape&On";
        QTest::newRow("off") << false << "Tape&Off";
    }
    // The window switches the tape; the button only asks and then shows what it is told.
    void tapeCaptionShowsTheState() {
        QFETCH(bool, on);
        QFETCH(QString, caption);
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        keypad.setTapeOn(!on);
        keypad.setTapeOn(on);
        QCOMPARE(keypad.tapeButton()->text(), caption);
        KeypadSpies spies(keypad);
        QTest::mouseClick(keypad.tapeButton(), Qt::LeftButton);
        QCOMPARE(spies.tape.count(), 1);
        QCOMPARE(spies.total(), 1);
        QCOMPARE(keypad.tapeButton()->text(), caption);
    }

    void countsAndRefCaptionsFollowTheLayout_data() {
        QTest::addColumn<bool>("compact");
        QTest::addColumn<bool>("countsOn");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("ref");
        QTest::newRow("normal, on") << false << true << "&# On"
                                    << "&Ref";
        QTest::newRow("normal, off") << false << false << "&# Off"
                                     << "&Ref";
        QTest::newRow("compact, on") << true << true << "&#+"
                                     << "&R";
        QTest::newRow("compact, off") << true << false << "&#-"
                                      << "&R";
    }
    // The counts switch and the layout change independently and in either order.
    void countsAndRefCaptionsFollowTheLayout() {
        QFETCH(bool, compact);
        QFETCH(bool, countsOn);
        QFETCH(QString, counts);
        QFETCH(QString, ref);
        Keypad layoutLast(QLatin1Char('.'));
        layoutLast.setCompact(!compact);
        layoutLast.setCountsOn(countsOn);
        layoutLast.setCompact(compact);
        Keypad countsLast(QLatin1Char('.'));
        countsLast.setCountsOn(!countsOn);
        countsLast.setCompact(compact);
        countsLast.setCountsOn(countsOn);
        for (Keypad* keypad : {&layoutLast, &countsLast}) {
            QCOMPARE(keypad->isCompact(), compact);
            QCOMPARE(keypad->button(23)->text(), counts);
            QCOMPARE(keypad->button(12)->text(), ref);
        }
    }

    void compactLayoutUsesSmallerFonts() {
        Keypad keypad(QLatin1Char('.'));
        const qreal digit = keypad.button(7)->font().pointSizeF();
        const qreal total = keypad.button(19)->font().pointSizeF();
        const int height = keypad.button(7)->minimumHeight();
        keypad.setCompact(true);
        QVERIFY(keypad.button(7)->font().pointSizeF() < digit);
        QVERIFY(keypad.button(19)->font().pointSizeF() < total);
        QVERIFY(keypad.button(7)->minimumHeight() < height);
        keypad.setCompact(false);
        QCOMPARE(keypad.button(7)->font().pointSizeF(), digit);
        QCOMPARE(keypad.button(19)->font().pointSizeF(), total);
    }

    void coloursFillKeypadAndSubpads() {
        Keypad keypad(QLatin1Char('.'));
        keypad.resize(420, 360);
        const QColor back(10, 120, 30);
        const QColor subpads(200, 40, 160);
        keypad.setColours(back, subpads);
        const QImage image = keypad.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        QCOMPARE(image.pixelColor(QPoint(2, 2) * ratio).rgb(), back.rgb());
        for (const char* name : {"LeftSubpad", "MainSubpad"}) {
            auto* pad = keypad.findChild<QFrame*>(name);
            QVERIFY(pad != nullptr);
            const QPoint inside = pad->mapTo(&keypad, QPoint(2, 2));
            QCOMPARE(image.pixelColor(inside * ratio).rgb(), subpads.rgb());
        }
        keypad.setColours(QColor(), QColor());
        const QImage plain = keypad.grab().toImage();
        QVERIFY(!hasPixelOf(plain, back));
        QVERIFY(!hasPixelOf(plain, subpads));
    }

    void displayShowsTextAndColours() {
        DisplayBar display;
        display.resize(display.sizeHint());
        const QColor background(20, 30, 25);
        const QColor ink(120, 255, 140);
        display.setText("1,234.50");
        display.setBackground(background);
        display.setTextColour(ink);
        QCOMPARE(display.text(), QString("1,234.50"));
        QCOMPARE(display.visibleText(), QString("1,234.50"));
        QCOMPARE(display.toolTip(), QString("1,234.50"));
        const QImage image = display.grab().toImage();
        const QPoint left(display.width() / 8, display.height() / 2);
        QCOMPARE(image.pixelColor(left * image.devicePixelRatio()).rgb(), background.rgb());
        QVERIFY(hasPixelOf(image, ink));
        display.setText(QString());
        QVERIFY(!hasPixelOf(display.grab().toImage(), ink));
    }

    void displayShortensLongFiguresKeepingTheirEnd() {
        DisplayBar display;
        const QString figures("123456789012345678901234567890.25");
        display.setText(figures);
        display.resize(display.minimumSizeHint());
        const QString shown = display.visibleText();
        QVERIFY(shown.size() < figures.size());
        QVERIFY(shown.endsWith(QLatin1String(".25")));
        const QFont full = DisplayBar().visibleFont();
        QVERIFY(display.visibleFont().pointSizeF() < full.pointSizeF());
        QCOMPARE(display.toolTip(), figures);
        // The bar is never lower than its figures at full size.
        QVERIFY(display.minimumSizeHint().height() > QFontMetrics(full).height());
    }

    void referencePanelGrowsAndKeepsTexts() {
        ReferencePanel panel;
        QCOMPARE(panel.boxCount(), 0);
        panel.setSlot(3, "12.00");
        QCOMPARE(panel.boxCount(), 3);
        QCOMPARE(panel.slotText(1), QString());
        panel.setSlot(1, "5.");
        panel.setSlot(2, "7.25");
        QCOMPARE(panel.boxCount(), 3);
        const QStringList texts{"5.", "7.25", "12.00"};
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(panel.slotText(n), texts.at(n - 1));
            QVERIFY(panel.box(n)->isReadOnly());
            bool numbered = false;
            for (QLabel* label : panel.findChildren<QLabel*>()) {
                numbered |= label->buddy() == panel.box(n) && label->text() == QString::number(n);
            }
            QVERIFY2(numbered, qPrintable(QString::number(n)));
        }
        // The registry hands out slots 1 to 50 only.
        for (int outside : {0, -1, 51}) panel.setSlot(outside, "9.");
        QCOMPARE(panel.boxCount(), 3);
        panel.clear();
        QCOMPARE(panel.boxCount(), 0);
        QVERIFY(panel.box(1) == nullptr);
        panel.setSlot(1, "3.");
        QCOMPARE(panel.boxCount(), 1);
        QCOMPARE(panel.slotText(1), QString("3."));
    }

    void referencePanelScrollsWhenFull() {
        ReferencePanel panel;
        panel.resize(200, 240);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto* scroll = panel.findChild<QScrollArea*>();
        QVERIFY(scroll != nullptr);
        panel.setSlot(3, "1.");
        QTRY_COMPARE(scroll->verticalScrollBar()->maximum(), 0);
        panel.setSlot(50, "2.");
        QCOMPARE(panel.boxCount(), 50);
        QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(KeypadTest)
#include "KeypadTest.moc"
