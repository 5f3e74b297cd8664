#include "platform/device/deviceprofile.h"
#include "platform/device/windowgeometry.h"

#include <QTest>

using namespace kestrune;

Q_DECLARE_METATYPE(std::optional<QRect>)

class TestWindowGeometry : public QObject
{
    Q_OBJECT

    static QSize minimum(const DeviceProfile &profile) { return WindowGeometry::minimumSize(profile); }

private slots:
    void theFirstWindowFitsTheScreen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("size");
        const QRect wide(0, 0, 1366, 768);
        const QRect square(0, 0, 1280, 1024);
        const QRect small(0, 0, 800, 600);
        QTest::newRow("phone, 1366x768: fits as it is") << "phone" << wide << QSize(375, 667);
        QTest::newRow("tablet, 1366x768: shrunk to the height") << "tablet" << wide << QSize(540, 720);
        QTest::newRow("phone, 1280x1024: fits as it is") << "phone" << square << QSize(375, 667);
        QTest::newRow("tablet, 1280x1024: shrunk to the height") << "tablet" << square << QSize(732, 976);
        QTest::newRow("phone, 800x600: as wide as the minimum that fits") << "phone" << small << QSize(335, 552);
        QTest::newRow("tablet, 800x600: shrunk to the height") << "tablet" << small << QSize(414, 552);
        QTest::newRow("tablet, a panel takes 40 at the top") << "tablet" << QRect(0, 40, 1366, 728) << QSize(510, 680);
        QTest::newRow("tablet, 1920x1080: fits as it is") << "tablet" << QRect(0, 0, 1920, 1080) << QSize(768, 1024);
        QTest::newRow("tablet, 320x240: below the minimum") << "tablet" << QRect(0, 0, 320, 240) << QSize(144, 192);
    }
    void theFirstWindowFitsTheScreen()
    {
        QFETCH(QString, device);
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        const DeviceProfile profile = *DeviceProfile::fromName(device);
        const QRect window = WindowGeometry::initial(profile.size().toSize(), available, minimum(profile));
        QCOMPARE(window.size(), size);
        // Frame and all, it is on the screen and centred there.
        const QRect outer(window.topLeft(), window.size() + WindowGeometry::frameAllowance);
        QVERIFY(available.contains(outer));
        QVERIFY(qAbs(outer.center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - available.center().y()) <= 1);
        // The device's shape is kept (to the pixel that rounding takes)
        // unless the minimum width asks for more.
        const QSize least = WindowGeometry::minimumIn(minimum(profile), available.size());
        const qreal aspect = profile.size().width() / profile.size().height();
        QVERIFY(qAbs(size.width() - size.height() * aspect) < 1.0 || size.width() == least.width());
        QVERIFY(size.width() >= least.width() && size.height() >= least.height());
    }

    // The minimum turns with the device; a screen too small for it gets it
    // shrunk to the window's height.
    void theMinimumTurnsWithTheDeviceAndShrinksToTheScreen()
    {
        const QSize tablet = minimum(DeviceProfile::tablet());
        QCOMPARE(WindowGeometry::minimumIn(tablet, QSize(320, 240)).height(), 192);
        QCOMPARE(WindowGeometry::minimumIn(tablet, QSize(1920, 1080)), tablet);
        for (DeviceProfile profile : {DeviceProfile::phone(), DeviceProfile::tablet()}) {
            const QSize portrait = minimum(profile);
            QVERIFY(portrait.width() < portrait.height());
            QVERIFY(portrait.width() <= profile.size().width() && portrait.height() <= profile.size().height());
            profile.setOrientation(DeviceProfile::Orientation::landscapeRight);
            QCOMPARE(minimum(profile), portrait.transposed());
        }
        QVERIFY(minimum(DeviceProfile::tablet()).width() > minimum(DeviceProfile::phone()).width());
    }

    void aRememberedWindowIsRestoredOnlyOnAScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<std::optional<QRect>>("restored");
        QTest::newRow("on the first screen") << QRect(100, 50, 400, 600) << std::optional(QRect(100, 50, 400, 600));
        QTest::newRow("on the second screen")
            << QRect(1500, 100, 600, 800) << std::optional(QRect(1500, 100, 600, 800));
        QTest::newRow("off every screen (a screen unplugged)") << QRect(3000, 100, 400, 600) << std::optional<QRect>();
        QTest::newRow("above the screens") << QRect(100, -900, 400, 600) << std::optional<QRect>();
        QTest::newRow("half off the bottom: moved up")
            << QRect(100, 400, 400, 600) << std::optional(QRect(100, 768 - 600 - 48, 400, 600));
        QTest::newRow("taller than the screen it is on: shrunk, shape kept")
            << QRect(100, 0, 600, 1000) << std::optional(QRect(100, 0, 432, 720));
        QTest::newRow("below the minimum: grown")
            << QRect(100, 100, 100, 100) << std::optional(QRect(100, 100, 340, 560));
        QTest::newRow("empty") << QRect(100, 100, 0, 0) << std::optional<QRect>();
    }
    void aRememberedWindowIsRestoredOnlyOnAScreen()
    {
        QFETCH(QRect, saved);
        QFETCH(std::optional<QRect>, restored);
        const QList<QRect> screens{QRect(0, 0, 1366, 768), QRect(1366, 0, 1280, 1024)};
        QCOMPARE(WindowGeometry::restored(saved, screens, minimum(DeviceProfile::phone())), restored);
        QVERIFY(!WindowGeometry::restored(saved, {}, minimum(DeviceProfile::phone())));
    }

    void aTurnLaysTheWindowOnItsSide()
    {
        QCOMPARE(WindowGeometry::turned(QSize(540, 720), true, QSize(300, 200)), QSize(720, 540));
        QCOMPARE(WindowGeometry::turned(QSize(720, 540), false, QSize(200, 300)), QSize(540, 720));
        // A window that has the shape already keeps it.
        QCOMPARE(WindowGeometry::turned(QSize(375, 667), false, QSize(200, 300)), QSize(375, 667));
        QCOMPARE(WindowGeometry::turned(QSize(667, 375), true, QSize(300, 200)), QSize(667, 375));
        // From below the new orientation's minimum it grows to it.
        QCOMPARE(WindowGeometry::turned(QSize(420, 400), true, QSize(560, 420)), QSize(560, 420));
    }
};

QTEST_GUILESS_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
