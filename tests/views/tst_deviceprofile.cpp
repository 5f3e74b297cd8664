#include "platform/device/deviceprofile.h"
#include "platform/device/screensize.h"

#include <QtTest>

using namespace kestrune;

class DeviceProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void sizeClassesByTheLongerSide_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<ScreenSize>("sizeClass");
        QTest::newRow("no size") << QSizeF(0, 0) << ScreenSize::unknown;
        QTest::newRow("4-inch phone") << QSizeF(320, 568) << ScreenSize::small;
        QTest::newRow("4.7-inch phone") << QSizeF(375, 667) << ScreenSize::medium;
        QTest::newRow("5.5-inch phone") << QSizeF(414, 736) << ScreenSize::medium;
        QTest::newRow("tall phone") << QSizeF(390, 844) << ScreenSize::large;
        QTest::newRow("largest phone") << QSizeF(430, 932) << ScreenSize::large;
        QTest::newRow("tablet") << QSizeF(768, 1024) << ScreenSize::extraLarge;
    }

    void sizeClassesByTheLongerSide()
    {
        QFETCH(QSizeF, size);
        QFETCH(ScreenSize, sizeClass);
        QCOMPARE(screenSize(DeviceProfile(DeviceProfile::Idiom::phone, size, 0, 20)), sizeClass);
    }

    void turningSwapsTheSidesButNotTheClass()
    {
        DeviceProfile tablet = DeviceProfile::tablet();
        tablet.setOrientation(DeviceProfile::Orientation::landscapeRight);
        QVERIFY(tablet.isLandscape());
        QCOMPARE(tablet.size(), QSizeF(1024, 768));
        QCOMPARE(screenSize(tablet), ScreenSize::extraLarge);
        tablet.setOrientation(DeviceProfile::Orientation::portraitUpsideDown);
        QVERIFY(!tablet.isLandscape());
    }
};

QTEST_MAIN(DeviceProfileTest)
#include "tst_deviceprofile.moc"
