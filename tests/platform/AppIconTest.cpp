// The program's icon as the title bar, the tray and the task switcher draw it: a real picture
// at every size they ask for, with the tape, its red total and the machine in it.
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QTest>

#include "platform/AppIcon.h"

namespace talvex {

namespace {

struct Census {
    int opaque = 0;
    int paper = 0;    // the tape's off-white
    int machine = 0;  // the slate body
    int red = 0;      // the total
};

Census censusOf(const QImage& image) {
    Census census;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 200) continue;
            ++census.opaque;
            if (c.red() > 230 && c.green() > 230 && c.blue() > 200) ++census.paper;
            if (c.blue() > c.red() + 20 && c.value() < 110) ++census.machine;
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++census.red;
        }
    }
    return census;
}

}  // namespace

class AppIconTest : public QObject {
    Q_OBJECT

  private slots:
    void drawsAtEverySize_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("showsTotal");
        // Below 32 pixels the total's line blends into the tape's edge; the shape still reads.
        QTest::newRow("16") << 16 << false;
        QTest::newRow("24") << 24 << false;
        QTest::newRow("32") << 32 << true;
        QTest::newRow("48") << 48 << true;
        QTest::newRow("256") << 256 << true;
    }
    void drawsAtEverySize() {
        QFETCH(int, size);
        QFETCH(bool, showsTotal);
        const QIcon icon = appIcon();
        QVERIFY2(!icon.isNull(), "no icon: is Qt's SVG icon engine installed?");
        const QImage image =
            icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        const Census census = censusOf(image);
        const int area = size * size;
        // A shape, not a filled square: see-through corners, most of the square covered.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(size - 1, 0).alpha(), 0);
        QVERIFY2(census.opaque > area / 2, qPrintable(QString::number(census.opaque)));
        // At 16 pixels the figures cover most of the tape; some paper still shows.
        QVERIFY2(census.paper > area / 40, qPrintable(QString::number(census.paper)));
        QVERIFY(census.machine > area / 5);
        if (showsTotal) QVERIFY2(census.red > 0, "the red total is missing");
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::AppIconTest)
#include "AppIconTest.moc"
