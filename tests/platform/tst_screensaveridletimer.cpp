#include "platform/device/screensaveridletimer.h"

#include "platform/dispatch/dispatchqueue.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>
#include <set>

using namespace kestrune;

namespace {

// The desktop's screen saver, as far as the timer talks to it.
class FakeScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    int inhibits = 0;
    QStringList apps;
    std::vector<uint> released;
    std::set<uint> active;

public slots:
    uint Inhibit(const QString &app, const QString &)
    {
        ++inhibits;
        apps << app;
        const uint cookie = 40 + inhibits;
        active.insert(cookie);
        return cookie;
    }
    void UnInhibit(uint cookie)
    {
        released.push_back(cookie);
        active.erase(cookie);
    }
};

int debugMessages = 0;
QtMessageHandler previousHandler = nullptr;

void countDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && message.startsWith(QLatin1String("screensaveridletimer:")))
        ++debugMessages;
    previousHandler(type, context, message);
}

} // namespace

#define REQUIRE_BUS()                                                                                                  \
    if (address.isEmpty())                                                                                             \
    QSKIP("no bus of our own: no dbus-daemon here, or the race checker is on")

class TestScreenSaverIdleTimer : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QProcess daemon;
    QString address;
    int connections = 0;

    QDBusConnection connect()
    {
        return QDBusConnection::connectToBus(address, QStringLiteral("test%1").arg(++connections));
    }

    // A desktop with the screen saver at the given path, on a bus of the test's own.
    std::unique_ptr<FakeScreenSaver> serve(const QString &path)
    {
        auto fake = std::make_unique<FakeScreenSaver>();
        QDBusConnection bus = connect();
        if (!bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"))
            || !bus.registerObject(path, fake.get(), QDBusConnection::ExportAllSlots))
            qFatal("cannot serve the fake screen saver: %s", qUtf8Printable(bus.lastError().message()));
        return fake;
    }

    // Leaves the bus as the next test expects it: nobody on it.
    void stopServing()
    {
        for (int i = 1; i <= connections; ++i)
            QDBusConnection::disconnectFromBus(QStringLiteral("test%1").arg(i));
        QDBusConnection checker = connect();
        QTRY_VERIFY(!checker.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.ScreenSaver")).value());
    }

private slots:
    void initTestCase()
    {
        // Never the desktop's own bus, whatever the environment says.
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + folder.filePath("no-bus").toUtf8());
        previousHandler = qInstallMessageHandler(countDebug);

#if defined(__SANITIZE_THREAD__)
        return; // the race checker stops a threaded program that starts another one
#endif
        const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (program.isEmpty())
            return;
        // A bus of our own that starts no services, so no real screen saver
        // can answer in place of the fake one.
        QFile config(folder.filePath("bus.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                    "<auth>EXTERNAL</auth><policy context=\"default\">"
                                    "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                    "<allow own=\"*\"/></policy></busconfig>")
                         .arg(folder.path())
                         .toUtf8());
        config.close();
        daemon.start(program, {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--print-address"),
                               QStringLiteral("--nofork")});
        QVERIFY(daemon.waitForStarted());
        while (!daemon.canReadLine())
            QVERIFY2(daemon.waitForReadyRead(20000), "dbus-daemon printed no address");
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(connect().isConnected());
    }

    void cleanupTestCase()
    {
        if (daemon.state() != QProcess::NotRunning) {
            daemon.terminate();
            daemon.waitForFinished();
        }
    }

    void cleanup()
    {
        if (connections > 0)
            stopServing();
    }

    // Connected lazily, the bus is connected when a match first holds the
    // screen saver off, and not on the GUI thread: the start waits for nothing.
    void inhibitsOnceWhileDisabledAndReleasesItsCookie_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("lazily");
        QTest::newRow("standard path") << "/org/freedesktop/ScreenSaver" << false;
        QTest::newRow("only the short path") << "/ScreenSaver" << false;
        QTest::newRow("connected lazily") << "/org/freedesktop/ScreenSaver" << true;
    }
    void inhibitsOnceWhileDisabledAndReleasesItsCookie()
    {
        QFETCH(QString, path);
        QFETCH(bool, lazily);
        REQUIRE_BUS();
        auto fake = serve(path);
        std::atomic<int> connects{0};
        std::atomic<bool> onGuiThread{false};
        auto timer = lazily ? std::make_unique<ScreenSaverIdleTimer>([&] {
            ++connects;
            onGuiThread = DispatchQueue::isMainThread();
            return connect();
        })
                            : std::make_unique<ScreenSaverIdleTimer>(connect());
        QCoreApplication::processEvents();
        timer->setIdleTimerDisabled(false);
        DispatchQueue::waitForGlobal();
        QCOMPARE(connects.load(), 0);
        timer->setIdleTimerDisabled(true);
        timer->setIdleTimerDisabled(true);
        QVERIFY(timer->isIdleTimerDisabled());
        QTRY_COMPARE(fake->active.size(), std::size_t(1));
        QVERIFY(!fake->apps.first().isEmpty());
        QVERIFY(!onGuiThread);
        timer->setIdleTimerDisabled(true);
        timer->setIdleTimerDisabled(false);
        QVERIFY(!timer->isIdleTimerDisabled());
        QTRY_COMPARE(fake->released, std::vector<uint>{41});
        QCOMPARE(fake->inhibits, 1); // sent before the release, so already counted
        QVERIFY(fake->active.empty());

        // A new match asks again, on the same connection.
        timer->setIdleTimerDisabled(true);
        QTRY_COMPARE(fake->active, std::set<uint>{42});
        QCOMPARE(connects.load(), lazily ? 1 : 0);
    }

    // Enabled again after the cookie came is the test above.
    void theInhibitionEndsHoweverItIsReleased_data()
    {
        QTest::addColumn<bool>("beforeTheCookie");
        QTest::addColumn<bool>("byTheDestructor");
        QTest::newRow("enabled again before the cookie came") << true << false;
        QTest::newRow("timer destroyed") << false << true;
        QTest::newRow("timer destroyed before the cookie came") << true << true;
    }
    void theInhibitionEndsHoweverItIsReleased()
    {
        QFETCH(bool, beforeTheCookie);
        QFETCH(bool, byTheDestructor);
        REQUIRE_BUS();
        auto fake = serve(QStringLiteral("/org/freedesktop/ScreenSaver"));
        auto timer = std::make_unique<ScreenSaverIdleTimer>(connect());
        timer->setIdleTimerDisabled(true);
        if (!beforeTheCookie)
            QTRY_COMPARE(fake->inhibits, 1);
        if (byTheDestructor)
            timer.reset();
        else
            timer->setIdleTimerDisabled(false);
        QTRY_COMPARE(fake->released, std::vector<uint>{41});
        QCOMPARE(fake->inhibits, 1);
        QVERIFY(fake->active.empty());
    }

    void withoutTheServiceTheFlagStillWorksAndSaysSoOnce()
    {
        REQUIRE_BUS();
        debugMessages = 0;
        QDBusConnection bus = connect();
        ScreenSaverIdleTimer timer(bus);
        timer.setIdleTimerDisabled(true);
        QTRY_COMPARE(debugMessages, 1);
        QVERIFY(timer.isIdleTimerDisabled());
        timer.setIdleTimerDisabled(false);
        timer.setIdleTimerDisabled(true);
        // The bus answers in order: once this call is back, so is the second Inhibit's error.
        QVERIFY(bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus")).value());
        QCoreApplication::processEvents();
        QCOMPARE(debugMessages, 1);
        QVERIFY(timer.isIdleTimerDisabled());
    }

    // What the owner asks while the bus is still being connected is what
    // counts when it comes: the last word, for a timer that still exists.
    void whatIsAskedWhileConnectingIsDoneOnceConnected_data()
    {
        QTest::addColumn<bool>("enabledAgain");
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("disabled, enabled and disabled again") << false << false;
        QTest::newRow("enabled again") << true << false;
        QTest::newRow("timer destroyed") << false << true;
    }
    void whatIsAskedWhileConnectingIsDoneOnceConnected()
    {
        QFETCH(bool, enabledAgain);
        QFETCH(bool, destroyed);
        REQUIRE_BUS();
        auto fake = serve(QStringLiteral("/org/freedesktop/ScreenSaver"));
        QSemaphore mayConnect;
        auto timer = std::make_unique<ScreenSaverIdleTimer>([&] {
            mayConnect.acquire();
            return connect();
        });
        timer->setIdleTimerDisabled(true);
        timer->setIdleTimerDisabled(false);
        if (!enabledAgain)
            timer->setIdleTimerDisabled(true);
        if (destroyed)
            timer.reset();
        mayConnect.release();
        DispatchQueue::waitForGlobal();
        if (enabledAgain || destroyed) {
            // The connection's hand-over has been run; the bus answers in
            // order, so an Inhibit sent before this call would be counted.
            QVERIFY(connect().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus")).value());
            QCoreApplication::processEvents();
            QCOMPARE(fake->inhibits, 0);
        } else {
            QTRY_COMPARE(fake->active.size(), std::size_t(1));
            QCOMPARE(fake->inhibits, 1);
        }
    }

    void withoutABusNothingFails_data()
    {
        QTest::addColumn<bool>("sessionBus");
        QTest::newRow("a bus address that leads nowhere") << false;
        QTest::newRow("a session bus that is not there") << true;
    }
    void withoutABusNothingFails()
    {
        QFETCH(bool, sessionBus);
        debugMessages = 0;
        auto timer = sessionBus ? std::make_unique<ScreenSaverIdleTimer>()
                                : std::make_unique<ScreenSaverIdleTimer>(QDBusConnection::connectToBus(
                                    QStringLiteral("unix:path=") + folder.filePath("nowhere"), "nowhere"));
        timer->setIdleTimerDisabled(true);
        timer->setIdleTimerDisabled(false);
        timer->setIdleTimerDisabled(true);
        QVERIFY(timer->isIdleTimerDisabled());
        QTRY_COMPARE(debugMessages, 1);
        timer->setIdleTimerDisabled(false);
        timer->setIdleTimerDisabled(true);
        QCoreApplication::processEvents();
        QCOMPARE(debugMessages, 1);
        timer.reset();
    }
};

QTEST_GUILESS_MAIN(TestScreenSaverIdleTimer)
#include "tst_screensaveridletimer.moc"
