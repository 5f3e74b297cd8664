#include "fakes/managerfixture.h"

#include "game/rx/disposebag.h"
#include "game/rx/driver.h"
#include "gameservice/client/gameserviceavailabilitystate.h"
#include "gameservice/client/gameservicedelegateproxy.h"
#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "platform/apppaths.h"
#include "platform/settingsformat.h"
#include "settingseventcounter.h"

#include <QScopeGuard>
#include <QSettings>

#include <set>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

namespace {
QStringList titles(const RecordingDelegate &d)
{
    QStringList result;
    for (const auto &c : d.callsOf(QStringLiteral("availabilityChanged"))) {
        const QVariantMap m = c.argument.toMap();
        result << m.value(m.contains(QStringLiteral("status")) ? QStringLiteral("status") : QStringLiteral("title"))
                      .toString();
    }
    return result;
}

// Notes whether the proxy's subject had the sign-in screen before it was
// forwarded here.
class OrderingDelegate final : public RecordingDelegate
{
public:
    std::function<int()> subjectCount;
    int subjectCountWhenForwarded = -1;
    void authenticateUser(GameServiceManager &m, std::shared_ptr<SignInViewController> s) override
    {
        subjectCountWhenForwarded = subjectCount();
        RecordingDelegate::authenticateUser(m, s);
    }
};
} // namespace

// The availability states, the stream the delegate proxy makes of them, and
// the shared manager.
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
    }

    void startWithoutNetworkAnnouncesStateOneOnceOnTheGuiThread()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        QCOMPARE(m.previousGameServiceAvailability(), 1);
        QVERIFY(!m.isGameServiceAvailable());
        QVERIFY(f.monitor->isStarted());
        // Scheduled, not delivered: the delegate installed after start still hears it.
        QCOMPARE(f.delegate->count("availabilityChanged"), 0);
        m.checkGameServiceAvailability(false);
        m.checkGameServiceAvailability(true);
        f.settle();
        const auto calls = f.delegate->callsOf("availabilityChanged");
        QCOMPARE(titles(*f.delegate), QStringList{"Internet Unavailable"});
        QVERIFY(calls[0].onMainThread);
        // The flags of "unknownPlayer" were created as false.
        QCOMPARE(f.flag("scoresSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(f.flag("achievementsSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(m.localPlayerId(), QStringLiteral("unknownPlayer"));
        QCOMPARE(m.localPlayerDisplayName(), QStringLiteral("unknownPlayer"));
        QVERIFY(!m.localPlayerData());
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

    // The network coming back runs the check on a worker thread.
    void notAuthenticatedIsAnnouncedAtOnceOnTheCheckingThread()
    {
        ManagerFixture f;
        f.start();
        f.settle();
        f.delegate->clear();
        f.setNetwork(true);
        DispatchQueue::waitForGlobal();
        // Delivered inside the check, before any event loop ran.
        const auto calls = f.delegate->callsOf("availabilityChanged");
        QCOMPARE(titles(*f.delegate), QStringList{"Player not Authenticated"});
        QVERIFY(!calls[0].onMainThread);
    }

    // One proxy per manager, kept by it as its delegate; the delegate before
    // hears everything from it, sign-in screens after the proxy's subject.
    void signingInThroughTheHandedOverScreenMakesTheServiceAvailable()
    {
        ManagerFixture f(ManagerFixture::Options{.offersSignIn = true});
        auto ordering = std::make_shared<OrderingDelegate>();
        f.delegate = ordering;
        GameServiceManager &m = f.start();
        std::weak_ptr<GameServiceDelegateProxy> weak = GameServiceDelegateProxy::proxy(m);
        QVERIFY(!weak.expired());
        auto proxy = weak.lock();
        QCOMPARE(GameServiceDelegateProxy::proxy(m), proxy);
        QCOMPARE(m.delegate(), std::static_pointer_cast<GameServiceManagerDelegate>(proxy));
        QCOMPARE(proxy->forwardToDelegate(), std::static_pointer_cast<GameServiceManagerDelegate>(ordering));
        QList<bool> seen;
        int emitted = 0;
        ordering->subjectCount = [&] { return emitted; };
        rx::DisposeBag bag;
        rx::asDriver(GameServiceDelegateProxy::gameServiceAvailable(m), false)
            .drive([&](bool b) { seen << b; })
            .disposed(bag);
        proxy->authenticateUserSubject
            .subscribe([&](const auto &screen) {
                QVERIFY(screen);
                QVERIFY(DispatchQueue::isMainThread());
                ++emitted;
            })
            .disposed(bag);

        f.settle();
        f.setNetwork(true); // runs the check
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        f.settle();
        QCOMPARE(emitted, 1);
        QCOMPARE(ordering->subjectCountWhenForwarded, 1);
        QCOMPARE(titles(*f.delegate), (QStringList{"Internet Unavailable", "Player not Authenticated", "No Player"}));
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
        QCOMPARE(titles(*f.delegate), (QStringList{"Internet Unavailable", "Player not Authenticated", "No Player",
                                                   "GameService Available"}));
        QCOMPARE(seen, (QList<bool>{false, false, false, true})); // the stream saw the same four
        // The flags reset were those of "unknownPlayer": the service was not yet available.
        QCOMPARE(f.flag("scoresSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(f.flag("achievementsSyncedunknownPlayer"), std::optional(false));
        QCOMPARE(m.scoresSyncedKey(), QStringLiteral("scoresSyncedP:Ada"));
        QCOMPARE(m.localPlayerDisplayName(), QStringLiteral("Ada"));
        QCOMPARE(m.localPlayerData(), &f.kit->localPlayer());
    }

    // Signing out makes the service unavailable and offers a sign-in again,
    // where the player may choose another place; what waits stays. A
    // service that cannot let go says why and keeps the player.
    void signingOutOffersTheSignInAgain()
    {
        ManagerFixture f(ManagerFixture::Options{.offersSignIn = true});
        GameServiceManager &m = f.startAvailable();
        f.backend->failNext(FakeServiceBackend::Call::SignOut);
        m.signOut();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 1, 30000);
        f.settle();
        QVERIFY(m.isGameServiceAvailable());
        QVERIFY(f.kit->localPlayer().isAuthenticated());

        m.signOut();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        f.settle();
        QVERIFY(!m.isGameServiceAvailable());
        QVERIFY(!f.kit->localPlayer().isAuthenticated());
        QCOMPARE(titles(*f.delegate).mid(titles(*f.delegate).size() - 2),
                 (QStringList{"Player not Authenticated", "No Player"}));
        // Earned now, it waits for whoever signs in next.
        m.saveAndReportScore(70, QStringLiteral("sp_leaderboard"), SortOrder::higherIsBetter);
        f.settle();
        QCOMPARE(f.savedScores().size(), 1);
        // The player declines: the handler hears an error, which changes nothing.
        const int state = m.previousGameServiceAvailability();
        f.delegate->screens().front()->cancel();
        f.settle();
        QCOMPARE(m.previousGameServiceAvailability(), state);
        QCOMPARE(f.delegate->count("authenticateUser"), 1);
    }

    void losingTheNetworkKeepsThePlayer()
    {
        ManagerFixture f;
        GameServiceManager &m = f.startAvailable();
        QCOMPARE(m.localPlayerId(), ManagerFixture::player.playerID);
        f.setNetwork(false);
        QVERIFY(!m.checkGameServiceAvailability(false));
        f.settle();
        QCOMPARE(m.previousGameServiceAvailability(), 1);
        QCOMPARE(titles(*f.delegate).back(), QStringLiteral("Internet Unavailable"));
        QVERIFY(m.isGameServiceAvailable());
        QCOMPARE(m.localPlayerId(), ManagerFixture::player.playerID);
    }

    // A service on this machine is reached with the network down; one over the
    // network keeps waiting for it.
    void reachabilityFollowsWhetherTheServiceNeedsTheNetwork_data()
    {
        QTest::addColumn<bool>("needsNetwork");
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("signInScreens");
        QTest::newRow("networked, nobody signed in") << true << false << 1 << 0;
        QTest::newRow("networked, signed in") << true << true << 1 << 0;
        QTest::newRow("local, nobody signed in: sign-in asked") << false << false << 2 << 1;
        QTest::newRow("local, signed in: available") << false << true << 4 << 0;
    }
    void reachabilityFollowsWhetherTheServiceNeedsTheNetwork()
    {
        QFETCH(bool, needsNetwork);
        QFETCH(bool, signedIn);
        QFETCH(int, state);
        QFETCH(int, signInScreens);
        ManagerFixture f(ManagerFixture::Options{
            .network = false, .authenticated = signedIn, .offersSignIn = true, .needsNetwork = needsNetwork});
        GameServiceManager &m = f.start();
        f.settle();
        const int announced = f.delegate->count("availabilityChanged");
        const int loads = f.backend->calls(FakeServiceBackend::Call::LoadLeaderboards);
        if (!needsNetwork) // its coming and going is no event for a service that needs none
            f.setNetwork(true);
        f.setNetwork(false); // reported down, not merely unknown
        f.settle();
        if (!needsNetwork) {
            QCOMPARE(f.delegate->count("availabilityChanged"), announced);
            QCOMPARE(f.backend->calls(FakeServiceBackend::Call::LoadLeaderboards), loads);
        }
        QCOMPARE(m.previousGameServiceAvailability(), state);
        QCOMPARE(m.isGameServiceAvailable(), state == 4);
        QCOMPARE(f.delegate->count("authenticateUser"), signInScreens);
        QVERIFY(!m.isInternetAvailable());
        // Nothing watches a network the service does not need.
        QCOMPARE(f.monitor->isStarted(), needsNetwork);

        // What is earned now goes to the service at once, or waits in the cache.
        m.saveAndReportScore(1234, QStringLiteral("sp_leaderboard"), SortOrder::higherIsBetter);
        f.settle();
        QCOMPARE(f.backend->reportedScores().size(), std::size_t(state == 4 ? 1 : 0));
        QCOMPARE(f.savedScores().size(), state == 4 ? 0 : 1);
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
        QCOMPARE(m.previousGameServiceAvailability(), 4);
        f.settle();
        QCOMPARE(f.backend->calls(FakeServiceBackend::Call::LoadLeaderboards), synced ? 0 : 1);
        QCOMPARE(f.delegate->count("gameServiceSynced"), synced ? 0 : 1);
    }

    // The stream is true only for state 4; the proxy's end completes the subject.
    void theStreamIsTrueOnlyForAvailable()
    {
        QList<bool> seen;
        bool completed = false;
        rx::DisposeBag bag;
        {
            ManagerFixture f;
            GameServiceManager &m = f.start();
            auto proxy = GameServiceDelegateProxy::proxy(m);
            GameServiceDelegateProxy::gameServiceAvailable(m).subscribe([&](bool b) { seen << b; }).disposed(bag);
            proxy->authenticateUserSubject.subscribe({}, {}, [&] { completed = true; }).disposed(bag);
            for (int s : {4, 1, 2, 3, 0, 4})
                proxy->availabilityChanged(m, availabilityDictionary(GameServiceAvailabilityState(s)));
            proxy->availabilityChanged(m, {{QStringLiteral("status"), 42}});
            proxy->availabilityChanged(m, {});
            QVERIFY(!completed);
        }
        QCOMPARE(seen, (QList<bool>{true, false, false, false, false, true, false, false}));
        QVERIFY(completed);
    }

    void concurrentFirstCallsMakeOneSharedManager()
    {
        QTemporaryDir dir;
        auto defaults = std::make_shared<LockedStore>();
        GameServiceManager::Environment e;
        e.userDefaults = defaults;
        e.homeFolder = dir.path();
        GameServiceManager::setSharedEnvironment(e);
        std::vector<GameServiceManager *> seen(6, nullptr);
        std::vector<std::thread> callers;
        for (std::size_t i = 0; i < seen.size(); ++i)
            callers.emplace_back([&seen, i] { seen[i] = &GameServiceManager::sharedManager(); });
        for (auto &t : callers)
            t.join();
        QCOMPARE(std::set<GameServiceManager *>(seen.begin(), seen.end()).size(), 1u);
        QCOMPARE(&GameServiceManager::sharedManager(), seen.front());
        // Made from the given environment: no framework, the flags in the given store, the cache in its home.
        QCOMPARE(seen.front()->previousGameServiceAvailability(), 0);
        QCOMPARE(defaults->boolean("scoresSyncedunknownPlayer"), std::optional(false));
        seen.front()->setupManager();
        QVERIFY(QFile::exists(dir.filePath("Library/GameServiceManager.cache")));
    }

    // The program's own flags are written behind: a change from a service
    // thread brings no settings event to the GUI thread, and flushing the
    // cache puts the flags on disk.
    void theProgramsFlagsAreWrittenBehind()
    {
        QTemporaryDir dir;
        AppPaths::setDataFolder(dir.path());
        const auto restore = qScopeGuard([] { AppPaths::setDataFolder(QString()); });
        SettingsEventCounter events;
        GameServiceManager::Environment e = GameServiceEnvironment::withoutFramework(dir.path());
        std::thread([&e] { e.userDefaults->setBoolean("scoresSyncedP:Ada", true); }).join();
        QCOMPARE(events.count(), 0);

        GameServiceManager m(e);
        QVERIFY(m.flushCache());
        QCOMPARE(events.count(), 0);
        QSettings file(QDir(dir.path()).filePath(QStringLiteral("settings.conf")), SettingsFormat::format());
        QCOMPARE(file.value(QStringLiteral("scoresSyncedP:Ada")).toString(), QStringLiteral("true"));
        QCOMPARE(file.value(QStringLiteral("achievementsSyncedunknownPlayer")).toString(), QStringLiteral("false"));
    }
};

QTEST_GUILESS_MAIN(TestAvailability)
#include "tst_availability.moc"
