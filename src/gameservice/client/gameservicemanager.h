#pragma once

#include "challengeinplay.h"
#include "delegatechannel.h"
#include "manageravailability.h"
#include "managerlife.h"
#include "managerreporting.h"
#include "managerscreens.h"
#include "managersync.h"
#include "syncflags.h"

#include "game/gameservicereporting.h"
#include "gameservice/kit/achievement.h"
#include "gameservice/kit/challenge.h"
#include "gameservice/kit/gameservicecontrollerdelegate.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/leaderboard.h"
#include "gameservice/kit/score.h"
#include "gameservice/kit/serviceerror.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QWidget;

namespace kestrune {

class GameServiceDelegateProxy;
class GameServiceManagerDelegate;
class KeyValueStore;
class LocalPlayer;
class NetworkPathMonitor;
class SerialQueue;
class ServiceKit;
class SignInViewController;

// The one client of the game service: availability, reporting with an
// offline cache that keeps what the service did not take, synchronisation,
// the service screens and the local player.
//
// What waits in the cache goes out after every synchronisation, and one runs
// whenever the service becomes available or the network comes back; what was
// earned before anybody signed in goes to the first player who does.
//
// Threads: any method may be called from any thread; the program calls the
// reporting and screen operations on the GUI thread. The network monitor
// reports on its own serial queue; synchronisation steps run on the shared
// worker pool; service answers arrive on the framework's service threads.
// Shared fields are atomics or locked; the cache is changed in memory and
// written behind on its own queue, so a report never waits for the disk;
// delegate calls reach the GUI thread through its event loop (see
// GameServiceManagerDelegate for the exceptions). Never throws: failures go
// to the delegate.
//
// Parts, each with its own state (the manager keeps only the start-up and
// the delegate proxy): ManagerAvailability, ManagerReporting (with the
// cache), ManagerSync, ManagerScreens; beside them SyncFlags (the flags in
// the user-defaults store), DelegateChannel (the way to the delegate) and
// ManagerLife (which drops answers that come after the manager has gone).
//
// Locks, and which may be held together. No part calls another part, the
// delegate or the service while it holds a lock of its own, so no two of
// these are ever held together except:
//   1. ManagerLife's, held shared for the whole of every asynchronous call
//      (a service answer, a step on the worker pool), under which any of
//      the others may be taken; the destructor holds it alone.
//   2. the cache's (CacheMirror), under which the reset fence's
//      (AchievementResetFence) is taken to admit loaded achievements.
// So the order is: ManagerLife -> CacheMirror -> AchievementResetFence, and
// every other lock is a leaf: DelegateChannel's, SyncFlags', the
// availability's start-up lock, the sort orders' (ManagerReporting), the
// run state's and the leaderboards' (ManagerSync), the delegate proxy's and
// the shared instance's. The service's, the store's and the queues' own
// locks are taken under these only as leaves of those objects.
class GameServiceManager final : public GameServiceReporting,
                                 public GameServiceControllerDelegate,
                                 private ManagerAvailability::Listener
{
public:
    struct Environment
    {
        std::shared_ptr<ServiceKit> serviceKit;          // none: the framework is absent
        std::shared_ptr<KeyValueStore> userDefaults;     // required; used by the manager alone
        std::shared_ptr<NetworkPathMonitor> pathMonitor; // none: the network never counts as reachable
        QString homeFolder;                              // the cache goes to <home>/Library
        QString applicationIdentifier = QStringLiteral("org.kestrune.Kestrune");
    };

    static inline const QString unknownPlayer = QStringLiteral("unknownPlayer");

    // Starts the network monitor and runs the first availability check. GUI thread.
    explicit GameServiceManager(Environment environment);
    // Waits for the service calls under way; later answers are dropped.
    ~GameServiceManager() override;
    GameServiceManager(const GameServiceManager &) = delete;
    GameServiceManager &operator=(const GameServiceManager &) = delete;

    // The environment of the shared instance; set it before the first
    // sharedManager(). Without it the shared instance uses
    // GameServiceEnvironment::local() on AppPaths::dataFolder().
    static void setSharedEnvironment(Environment environment);
    // The one instance, made on first call (safe against concurrent first
    // calls; lives as long as the process).
    static GameServiceManager &sharedManager();

    // -- availability --------------------------------------------------------

    // True exactly when the local player is authenticated and the service is
    // reachable: the network is up, or the service needs none. `argument` is only handed back when the check runs again
    // from the authentication handler.
    bool checkGameServiceAvailability(bool argument);
    // The signed-in player's id while the service is available, otherwise
    // "unknownPlayer".
    QString localPlayerId() const;

    std::shared_ptr<GameServiceManagerDelegate> delegate() const;
    // Held weakly; read when a call is delivered.
    void setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate);

    bool isGameServiceAvailable() const { return m_availability.isAvailable(); }
    bool isInternetAvailable() const { return m_availability.isInternetAvailable(); }
    int previousGameServiceAvailability() const { return m_availability.previousState(); }
    NetworkPathMonitor *pathMonitor() const { return m_pathMonitor.get(); }
    // The framework; none when it is absent. The program installs its screen
    // presenter there.
    std::shared_ptr<ServiceKit> serviceKit() const { return m_kit; }
    SerialQueue *monitorQueue() const { return m_monitorQueue.get(); }

    // -- reporting and the cache ---------------------------------------------

    // Prepares the cache file; its body runs once per manager.
    void setupManager();
    // Blocks until every change to the cache (and to the synchronisation
    // flags, when they are written behind) is on disk; false when the cache
    // could not be written. For the end of the program and for tests.
    bool flushCache();
    // Starts a synchronisation on the worker pool; asked for while one runs,
    // it runs again once that one has ended. Ends by sending what the cache
    // holds.
    void syncGameService();
    // Sends one cached item; each success sends the next (scores first).
    void reportSavedScoresAndAchievements();

    void saveAndReportScore(std::int64_t score, const QString &leaderboard, SortOrder sortOrder);
    void saveAndReportAchievement(const QString &identifier, double percentComplete, bool shouldDisplayNotification);
    // A score of 0 is never kept.
    void saveScoreToReportLater(const Score &score);
    void saveAchievementToReportLater(const QString &identifier, double percentComplete);

    std::int64_t highScoreForLeaderboard(const QString &leaderboard) const;
    QMap<QString, std::int64_t> highScoreForLeaderboards(const QStringList &leaderboards) const;
    double progressForAchievement(const QString &identifier) const;
    QMap<QString, double> progressForAchievements(const QStringList &identifiers) const;

    // Not called at all while the service is unavailable; otherwise on the GUI
    // thread with the error, or none on success. A reset wins over every
    // synchronisation that read the service before it: what those load is
    // dropped and loaded again.
    void resetAchievementsWithCompletion(std::function<void(OptionalError)> completion);

    // GameServiceReporting, for the rules.
    double progressForAchievement(const std::string &identifier) override;
    void saveAndReportAchievement(const std::string &identifier, double percentComplete,
                                  bool shouldDisplayNotification) override;
    void saveAndReportScore(std::int64_t score, const std::string &leaderboard, SortOrder sortOrder) override;

    // -- service screens, challenges, local player --------------------------

    // `presenter` is the widget to show the screen over. GUI thread.
    void presentAchievementsOnViewController(QWidget *presenter);
    void presentLeaderboardsOnViewController(QWidget *presenter, const std::optional<QString> &leaderboard);
    void presentChallengesOnViewController(QWidget *presenter);
    void gameServiceViewControllerDidFinish(GameServiceViewController &controller) override;
    // Closes the screen and signs the player out.
    void gameServiceViewControllerDidSignOut(GameServiceViewController &controller) override;
    // Signs the player out of the service on this device; the service then
    // stops being available and a sign-in is offered again (where the
    // player may choose another place). What waits in the cache stays.
    void signOut();

    // The completion runs on a service thread, with no challenges when there
    // is an error. Not called when the service is unavailable.
    void
    getChallengesWithCompletion(std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion);
    QString localPlayerDisplayName() const;
    // None unless the service is available and the player authenticated.
    LocalPlayer *localPlayerData() const;
    // The completion gets the photo bytes or nothing, on a service thread;
    // with no authenticated player at once, with nothing.
    void localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion);

    // The received challenge the player chose to play, until the result of
    // that match takes it; and how the program starts that match.
    ChallengeInPlaySlot &challengeInPlay() { return *m_challengeInPlay; }

    // -- for GameServiceDelegateProxy and tests -----------------------------

    // The delegate proxy, kept alive with the manager; made and installed by
    // GameServiceDelegateProxy::proxy().
    std::shared_ptr<GameServiceDelegateProxy> delegateProxy() const;
    void setDelegateProxy(std::shared_ptr<GameServiceDelegateProxy> proxy);

    QString cacheFilePath() const { return m_reporting.cacheFilePath(); }
    QString scoresSyncedKey() const;
    QString achievementsSyncedKey() const;

private:
    // ManagerAvailability::Listener
    void adoptUnknownPlayer() override;
    void startSync() override;

    // Members in the order they are made: each part gets those above it.
    std::shared_ptr<ServiceKit> m_kit;
    std::shared_ptr<NetworkPathMonitor> m_pathMonitor;
    std::unique_ptr<SerialQueue> m_monitorQueue;
    ManagerLife m_life;
    DelegateChannel m_channel;
    SyncFlags m_flags;
    ManagerAvailability m_availability;
    ManagerReporting m_reporting;
    ManagerSync m_sync;
    // Shared with the screens' dismissals, which may end after the manager.
    std::shared_ptr<ChallengeInPlaySlot> m_challengeInPlay = std::make_shared<ChallengeInPlaySlot>();
    ManagerScreens m_screens;

    mutable std::mutex m_proxyMutex;
    std::shared_ptr<GameServiceDelegateProxy> m_delegateProxy; // under m_proxyMutex
};

} // namespace kestrune
