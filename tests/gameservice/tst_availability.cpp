#include "fakes/managerfixture.h"

#include "platform/servicekit/signinviewcontroller.h"

#include <thread>

using namespace kestrune;
using namespace kestrune::test;

namespace {
QString title(const RecordingDelegate::Call &c)
{
    const QVariantMap d = c.argument.toMap();
    return d.contains(QStringLiteral("status")) ? d.value(QStringLiteral("status")).toString()
                                                : d.value(QStringLiteral("title")).toString();
}

QStringList titles(const RecordingDelegate &d)
{
    QStringList result;
    for (const auto &c : d.callsOf(QStringLiteral("availabilityChanged")))
        result << title(c);
    return result;
}
} // namespace

class TestAvailability : public QObject
{
    Q_OBJECT

private slots:
    void withoutFrameworkNothingIsAnnounced()
    {
        ManagerFixture f(ManagerFixture::Options{.framework = false});
        f.start();
        QVERIFY(!f.manager->checkGameServiceAvailability(true));
        f.settle();
        QCOMPARE(f.manager->previousGameServiceAvailability(), 0);
        QCOMPARE(f.delegate->count("availabilityChanged"), 0);
        QCOMPARE(f.manager->localPlayerId(), QStringLiteral("unknownPlayer"));
    }

    void startWithoutNetworkAnnouncesStateOneLaterOnTheGuiThread()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        QCOMPARE(m.previousGameServiceAvailability(), 1);
        QVERIFY(!m.isGameServiceAvailable());
        QVERIFY(f.monitor->isStarted());
        // Scheduled, not delivered: the delegate installed after start still hears it.
        QCOMPARE(f.delegate->count("availabilityChanged"), 0);
        f.settle();
        const auto calls = f.delegate->callsOf("availabilityChanged");
        QCOMPARE(calls.size(), 1u);
        QCOMPARE(title(calls[0]), QStringLiteral("Internet Unavailable"));
        QVERIFY(calls[0].onMainThread);
        // The flags of "unknownPlayer" were created as false.
        QCOMPARE(f.flag("scoresSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(f.flag("achievementsSyncedunknownPlayer"), std::optional(false));
    }

    void aNotificationWithNoDelegateIsDropped()
    {
        ManagerFixture f;
        f.start();
        f.manager->setDelegate({});
        f.settle();
        f.manager->setDelegate(f.delegate);
        f.settle();
        QCOMPARE(f.delegate->count("availabilityChanged"), 0);
    }

    void repeatedChecksAnnounceOnce()
    {
        ManagerFixture f;
        f.start();
        f.manager->checkGameServiceAvailability(false);
        f.manager->checkGameServiceAvailability(true);
        f.settle();
        QCOMPARE(titles(*f.delegate), QStringList{"Internet Unavailable"});
    }

    void notAuthenticatedIsAnnouncedAtOnceOnTheCheckingThread()
    {
        ManagerFixture f;
        f.start();
        f.setNetwork(true);
        f.delegate->clear();
        std::thread worker([&] { f.manager->checkGameServiceAvailability(false); });
        worker.join();
        // Delivered inside the check, before any event loop ran.
        const auto calls = f.delegate->callsOf("availabilityChanged");
        QCOMPARE(calls.size(), 1u);
        QCOMPARE(title(calls[0]), QStringLiteral("Player not Authenticated"));
        QVERIFY(!calls[0].onMainThread);
    }

    void signingInThroughTheHandedOverScreenMakesTheServiceAvailable()
    {
        ManagerFixture f(ManagerFixture::Options{.offersSignIn = true});
        GameServiceManager &m = f.start();
        f.settle();
        f.setNetwork(true);
        QVERIFY(!m.checkGameServiceAvailability(true));
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        f.settle();
        QCOMPARE(titles(*f.delegate),
                 (QStringList{"Internet Unavailable", "Player not Authenticated", "No Player"}));
        // Dictionary 2 and the screen come in one task, in that order.
        const auto calls = f.delegate->calls();
        QCOMPARE(calls[calls.size() - 2].method, QStringLiteral("availabilityChanged"));
        QCOMPARE(calls.back().method, QStringLiteral("authenticateUser"));
        QVERIFY(calls.back().onMainThread);

        f.defaults->setBoolean("scoresSyncedunknownPlayer", true);
        f.defaults->setBoolean("achievementsSyncedunknownPlayer", true);
        f.delegate->screens().front()->submit(QStringLiteral(" Ada "));
        QTRY_VERIFY_WITH_TIMEOUT(m.isGameServiceAvailable(), 30000);
        f.settle();
        QCOMPARE(m.previousGameServiceAvailability(), 4);
        QCOMPARE(titles(*f.delegate).back(), QStringLiteral("GameService Available"));
        // The flags reset were those of "unknownPlayer": the service was not yet available.
        QCOMPARE(f.flag("scoresSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(f.flag("achievementsSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(m.localPlayerId(), QStringLiteral("P:Ada"));
        QCOMPARE(m.scoresSyncedKey(), QStringLiteral("scoresSyncedP:Ada"));
    }

    void decliningTheSignInChangesNothingMore()
    {
        ManagerFixture f(ManagerFixture::Options{.offersSignIn = true});
        f.start();
        f.setNetwork(true);
        f.manager->checkGameServiceAvailability(false);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        // The player declines: the handler hears an error, which changes nothing.
        f.delegate->screens().front()->cancel();
        f.settle();
        QCOMPARE(f.manager->previousGameServiceAvailability(), 2);
        QCOMPARE(f.delegate->count("authenticateUser"), 1);
    }

    void losingTheNetworkKeepsThePlayer()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        f.makeAvailable();
        QCOMPARE(m.localPlayerId(), ManagerFixture::player.playerID);
        f.setNetwork(false);
        QVERIFY(!m.checkGameServiceAvailability(false));
        f.settle();
        QCOMPARE(m.previousGameServiceAvailability(), 1);
        QCOMPARE(titles(*f.delegate).back(), QStringLiteral("Internet Unavailable"));
        QVERIFY(m.isGameServiceAvailable());
        QCOMPARE(m.localPlayerId(), ManagerFixture::player.playerID);
    }

    void startingAvailableSynchronisesOrDrains_data()
    {
        QTest::addColumn<bool>("synced");
        QTest::newRow("flags false: synchronise") << false;
        QTest::newRow("flags true: drain the cache") << true;
    }
    void startingAvailableSynchronisesOrDrains()
    {
        QFETCH(bool, synced);
        ManagerFixture f(ManagerFixture::Options{.network = true, .authenticated = true});
        // Entering state 4 in the first check clears the unknown player's
        // flags; the signed-in player's are what start-up looks at.
        f.defaults->setBoolean("scoresSynced" + ManagerFixture::player.playerID.toStdString(), synced);
        f.defaults->setBoolean("achievementsSynced" + ManagerFixture::player.playerID.toStdString(), synced);
        GameServiceManager &m = f.start();
        QVERIFY(m.isGameServiceAvailable());
        QCOMPARE(m.previousGameServiceAvailability(), 4);
        f.settle();
        QCOMPARE(f.backend->calls(FakeServiceBackend::Call::LoadLeaderboards), synced ? 0 : 1);
        QCOMPARE(f.delegate->count("gameServiceSynced"), synced ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestAvailability)
#include "tst_availability.moc"
