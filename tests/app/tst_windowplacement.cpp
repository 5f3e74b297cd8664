#include "memorystore.h"

#include "app/windowplacement.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/windowgeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace kestrune;
using namespace kestrune::test;

Q_DECLARE_METATYPE(std::optional<QRect>)

class TestWindowPlacement : public QObject
{
    Q_OBJECT

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static QRect placeOf(const QWidget &window) { return QRect(window.pos(), window.size()); }

private slots:
    void cleanup() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    void theStoredTextIsCheckedOnTheWayIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<QRect>>("geometry");
        QTest::newRow("a place") << "10,20,300,480" << std::optional(QRect(10, 20, 300, 480));
        QTest::newRow("left of the first screen") << "-50,-8,300,480" << std::optional(QRect(-50, -8, 300, 480));
        QTest::newRow("empty") << "" << std::optional<QRect>();
        QTest::newRow("three numbers") << "10,20,300" << std::optional<QRect>();
        QTest::newRow("five numbers") << "10,20,300,480,1" << std::optional<QRect>();
        QTest::newRow("words") << "x,y,w,h" << std::optional<QRect>();
        QTest::newRow("no width") << "10,20,0,480" << std::optional<QRect>();
        QTest::newRow("negative height") << "10,20,300,-480" << std::optional<QRect>();
        QTest::newRow("beyond any desktop") << "10,20,300,4800000" << std::optional<QRect>();
    }
    void theStoredTextIsCheckedOnTheWayIn()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<QRect>, geometry);
        QCOMPARE(WindowPlacement::decode(text.toStdString()), geometry);
        if (geometry)
            QCOMPARE(WindowPlacement::encode(*geometry), text.toStdString());
    }

    void theFirstWindowFitsThePrimaryScreen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("stored"); // a remembered place that must not be used
        QTest::addColumn<QSize>("size");
        const auto row = [](const char *name, const char *device, const char *stored, QSize size) {
            QTest::newRow(name) << QString(device) << QString(stored) << size;
        };
        // The test screen is 800 x 800: the phone fits, the tablet does not.
        row("phone, nothing remembered", "phone", "", QSize(375, 667));
        row("tablet, nothing remembered", "tablet", "", QSize(564, 752));
        row("tablet, remembered off every screen", "tablet", "9000,9000,600,800", QSize(564, 752));
        row("tablet, a damaged place", "tablet", "600,800", QSize(564, 752));
        row("tablet, only the phone's place", "tablet", "phone:20,20,300,480", QSize(564, 752));
    }
    void theFirstWindowFitsThePrimaryScreen()
    {
        QFETCH(QString, device);
        QFETCH(QString, stored);
        QFETCH(QSize, size);
        const DeviceProfile profile = *DeviceProfile::fromName(device);
        DeviceProfile::setCurrent(profile);
        MemoryStore store;
        if (stored.startsWith("phone:"))
            store.setString(WindowPlacement::key(DeviceProfile::phone()), stored.mid(6).toStdString());
        else if (!stored.isEmpty())
            store.setString(WindowPlacement::key(profile), stored.toStdString());
        QWidget window;
        WindowPlacement placement(window, store, profile);
        placement.place();
        QVERIFY(available().contains(QRect(window.pos(), window.size() + WindowGeometry::frameAllowance)));
        QCOMPARE(window.size(), size);
        QCOMPARE(window.minimumSize(),
                 WindowGeometry::minimumIn(WindowGeometry::minimumSize(profile), available().size()));
    }

    void wherePlayerLeavesTheWindowIsRemembered()
    {
        MemoryStore store;
        QWidget window;
        auto placement = std::make_unique<WindowPlacement>(window, store, DeviceProfile::phone());
        placement->place();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const std::string key = WindowPlacement::key(DeviceProfile::phone());

        window.resize(330, 520);
        window.move(40, 50);
        QVERIFY(QTest::qWaitFor([&] { return store.string(key) == WindowPlacement::encode(placeOf(window)); }, 10000));
        QCOMPARE(store.unsyncedWrites(), 0);

        // Turned by the game, the window is not the player's choice.
        DeviceProfile profile = DeviceProfile::phone();
        profile.setOrientation(DeviceProfile::Orientation::landscapeRight);
        DeviceProfile::setCurrent(profile);
        const auto upright = store.string(key);
        window.resize(520, 330);
        placement->save();
        QCOMPARE(store.string(key), upright);
        DeviceProfile::setCurrent(DeviceProfile::phone());

        // A change still waiting when the program ends is written then.
        window.resize(340, 530);
        placement.reset();
        QCOMPARE(store.string(key), WindowPlacement::encode(placeOf(window)));
        QCOMPARE(store.unsyncedWrites(), 0);

        // The next start puts the window back there.
        QWidget next;
        WindowPlacement(next, store, DeviceProfile::phone()).place();
        QCOMPARE(placeOf(next), placeOf(window));
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
