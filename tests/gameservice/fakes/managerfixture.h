#pragma once

#include "fakepathmonitor.h"
#include "fakeservicebackend.h"
#include "lockedstore.h"
#include "recordingdelegate.h"

#include "gameservice/client/gameservicemanager.h"
#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/dispatch/serialqueue.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace kestrune::test {

// A manager over the fake service, a fake network and a store in memory,
// with its cache in a temporary folder and a recording delegate.
struct ManagerFixture
{
    struct Options
    {
        bool framework = true;
        bool network = false;       // the network is up when the manager starts
        bool authenticated = false; // somebody is signed in and the framework knows it
        bool offersSignIn = false;
        bool needsNetwork = true; // false: a service on this machine
    };

    static inline const ServiceBackend::Player player{QStringLiteral("P:ada"), QStringLiteral("Ada")};

    ManagerFixture()
        : ManagerFixture(Options{})
    {
    }
    explicit ManagerFixture(Options options)
    {
        backend->setOffersSignIn(options.offersSignIn);
        backend->setNeedsNetwork(options.needsNetwork);
        backend->setLeaderboards({{QStringLiteral("sp_leaderboard"), QStringLiteral("Single")}});
        if (options.framework)
            kit = ServiceKit::create(backend);
        if (options.network)
            monitor->statusAtStart = NetworkPathMonitor::Status::Satisfied;
        if (kit && options.authenticated) {
            backend->setSignedIn(player);
            kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
            kit->waitForIdle();
            kit->localPlayer().setAuthenticateHandler({});
        }
    }

    ~ManagerFixture()
    {
        backend->releaseAll(); // a test that failed midway must not leave a call waiting
        manager.reset();
        settle();
    }

    // Makes the manager and installs the delegate.
    GameServiceManager &start()
    {
        GameServiceManager::Environment e;
        e.serviceKit = kit;
        e.userDefaults = defaults;
        e.pathMonitor = monitor;
        e.homeFolder = dir.path();
        manager = std::make_unique<GameServiceManager>(e);
        manager->setDelegate(delegate);
        return *manager;
    }

    GameServiceManager &startAvailable()
    {
        start();
        makeAvailable();
        return *manager;
    }

    void setNetwork(bool up)
    {
        monitor->setStatus(up ? NetworkPathMonitor::Status::Satisfied : NetworkPathMonitor::Status::Unsatisfied);
        manager->monitorQueue()->waitForIdle();
    }

    // Network up, player signed in, and the check run until state 4.
    void makeAvailable()
    {
        backend->setSignedIn(player);
        if (manager->isInternetAvailable())
            manager->checkGameServiceAvailability(false);
        else
            setNetwork(true); // coming back, the network runs the check itself
        QTRY_VERIFY_WITH_TIMEOUT(manager->isGameServiceAvailable() && manager->previousGameServiceAvailability() == 4,
                                 30000);
        settle();
    }

    // Lets every queue run dry: service threads, worker pool, GUI events.
    void settle(int rounds = 8)
    {
        for (int i = 0; i < rounds; ++i) {
            if (kit)
                kit->waitForIdle();
            DispatchQueue::waitForGlobal();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    // The cache file as written, once every change has reached it.
    QCborMap cache() const
    {
        manager->flushCache();
        QFile f(manager->cacheFilePath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCborValue::fromCbor(f.readAll()).toMap();
    }
    QCborMap playerEntry(const QString &id) const { return cache().value(id).toMap(); }
    QCborArray savedScores() const { return cache().value(QStringLiteral("SavedScores")).toArray(); }
    QCborMap savedAchievements(const QString &id) const
    {
        return playerEntry(id).value(QStringLiteral("SavedAchievements")).toMap();
    }
    std::optional<bool> flag(const QString &key) const { return defaults->boolean(key.toStdString()); }

    QTemporaryDir dir;
    std::shared_ptr<FakeServiceBackend> backend = std::make_shared<FakeServiceBackend>();
    std::shared_ptr<ServiceKit> kit;
    std::shared_ptr<LockedStore> defaults = std::make_shared<LockedStore>();
    std::shared_ptr<FakePathMonitor> monitor = std::make_shared<FakePathMonitor>();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::unique_ptr<GameServiceManager> manager;
};

} // namespace kestrune::test
