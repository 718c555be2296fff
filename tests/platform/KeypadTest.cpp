// The keypad, the display bar and the reference panel: what each control sends and shows.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <QTimer>

#include "engine/KeyCodes.h"
#include "platform/Keypad.h"
#include "platform/ReferencePanel.h"

namespace talvex {
namespace {

// Counts every signal of a keypad, so a test sees a click that went to the wrong signal too.
struct KeypadSpies {
    explicit KeypadSpies(Keypad& keypad)
        : keys(&keypad, &Keypad::keyPressed),
          modes(&keypad, &Keypad::groupModeChosen),
          gotos(&keypad, &Keypad::gotoPressed),
          tape(&keypad, &Keypad::tapeSwitchPressed) {}
    int total() const { return keys.count() + modes.count() + gotos.count() + tape.count(); }
    // Clicks `button`: true when exactly one signal came, on `spy`, carrying `argument`.
    bool clickSends(QAbstractButton* button, QSignalSpy& spy, int argument = -1) {
        const int before = total(), own = spy.count();
        QTest::mouseClick(button, Qt::LeftButton);
        return total() == before + 1 && spy.count() == own + 1 &&
               (argument < 0 || spy.last().at(0).toInt() == argument);
    }

    QSignalSpy keys, modes, gotos, tape;
};

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

  private slots:
    // No button takes the focus, so typed keys keep reaching the tape.
    void everyButtonSendsItsOwnSignalOnce() {
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        KeypadSpies spies(keypad);
        QVERIFY(!keypad.button(key::kReserved) && !keypad.button(Keypad::kKeyCount));
        for (int code = 0; code < key::kGrandTotal; ++code) {
            if (code == key::kReserved) continue;
            QVERIFY2(spies.clickSends(keypad.button(code), spies.keys, code),
                     qPrintable(QString::number(code)));
        }
        for (int index = 0; index < Keypad::kGotoCount; ++index) {
            QVERIFY(!keypad.gotoButton(index)->icon().isNull());
            QVERIFY(spies.clickSends(keypad.gotoButton(index), spies.gotos, index));
        }
        QVERIFY(spies.clickSends(keypad.tapeButton(), spies.tape));
        QCOMPARE(keypad.focusPolicy(), Qt::NoFocus);
        for (QAbstractButton* button : keypad.findChildren<QAbstractButton*>())
            QVERIFY2(button->focusPolicy() == Qt::NoFocus, qPrintable(button->objectName()));
    }

    // A real click drops the list down; the mode is picked from the open list.
    void grandTotalDropsDownTheGroupModes() {
        const int mode = Keypad::kGroupModeCount - 1;
        Keypad keypad(QLatin1Char('.'));
        keypad.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keypad));
        KeypadSpies spies(keypad);
        bool picked = false;
        QTimer::singleShot(0, &keypad, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu != keypad.groupMenu()) return;
            menu->actions().at(mode)->trigger();
            menu->close();
            picked = true;
        });
        QTest::mouseClick(keypad.button(key::kGrandTotal), Qt::LeftButton);
        QTRY_VERIFY(picked);
        QCOMPARE(spies.modes.count(), 1);
        QCOMPARE(spies.modes.at(0).at(0).toInt(), mode);
        QCOMPARE(spies.total(), 1);
    }

    // The captions show the state they are told, whichever of state and layout changed last;
    // a click on the tape switch only asks the window, so its caption stays until told.
    void captionsFollowStateAndLayout() {
        const auto captions = [](bool compact, bool on, bool stateLast) {
            Keypad keypad(QLatin1Char(','));
            keypad.setCompact(!compact);
            keypad.setCountsOn(on != stateLast);
            keypad.setTapeOn(on != stateLast);
            keypad.setCompact(compact);
            if (stateLast) keypad.setCountsOn(on), keypad.setTapeOn(on);
            keypad.tapeButton()->click();
            return QStringList{keypad.button(key::kCounts)->text(), keypad.tapeButton()->text(),
                               keypad.button(key::kRef)->text(),
                               keypad.button(key::kDecimal)->text()};
        };
        for (const bool compact : {false, true}) {
            const QStringList off = captions(compact, false, false);
            const QStringList on = captions(compact, true, false);
            QCOMPARE(captions(compact, false, true), off);
            QCOMPARE(captions(compact, true, true), on);
            QVERIFY(off[0] != on[0] && off[1] != on[1]);
            QCOMPARE(on[3], QString(","));
        }
        QVERIFY2(captions(false, true, true)[2] != captions(true, true, true)[2],
                 "the compact layout abbreviates");
    }

    // The panel grows to the highest slot and keeps each text.
    void referencePanelGrowsAndKeepsTexts() {
        ReferencePanel panel;
        panel.setSlot(3, "12.00");
        panel.setSlot(1, "5.");
        // The registry hands out slots 1 to 50 only.
        for (int outside : {0, -1, 51}) panel.setSlot(outside, "9.");
        QCOMPARE(panel.boxCount(), 3);
        QCOMPARE(QStringList({panel.slotText(1), panel.slotText(2), panel.slotText(3)}),
                 QStringList({"5.", "", "12.00"}));
        QVERIFY(panel.box(1)->isReadOnly());
        panel.setSlot(50, "2.");
        QCOMPARE(panel.boxCount(), 50);
        panel.clear();
        QCOMPARE(panel.boxCount(), 0);
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::KeypadTest)
#include "KeypadTest.moc"
