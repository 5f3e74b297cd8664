// GameServiceManager: the shared instance, start-up, and what it hands to its parts.
#include "gameservicemanager.h"

#include "gameserviceenvironment.h"

#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"
#include "platform/apppaths.h"
#include "platform/dispatch/serialqueue.h"
#include "platform/network/networkpathmonitor.h"

namespace kestrune {

// -- creation ------------------------------------------------------------------

namespace {
std::mutex sharedMutex;
std::optional<GameServiceManager::Environment> sharedEnvironment;
std::once_flag sharedOnce;
GameServiceManager *sharedInstance = nullptr;
} // namespace

void GameServiceManager::setSharedEnvironment(Environment environment)
{
    std::lock_guard lock(sharedMutex);
    sharedEnvironment = std::move(environment);
}

GameServiceManager &GameServiceManager::sharedManager()
{
    std::call_once(sharedOnce, [] {
        std::optional<Environment> environment;
        {
            std::lock_guard lock(sharedMutex);
            environment.swap(sharedEnvironment);
        }
        if (!environment)
            environment = GameServiceEnvironment::local(AppPaths::dataFolder());
        // Lives as long as the process, like the service it speaks to.
        sharedInstance = new GameServiceManager(std::move(*environment));
    });
    return *sharedInstance;
}

GameServiceManager::GameServiceManager(Environment environment)
    : m_kit(std::move(environment.serviceKit))
    , m_pathMonitor(std::move(environment.pathMonitor))
    , m_monitorQueue(
          std::make_unique<SerialQueue>(environment.applicationIdentifier + QStringLiteral(".networkMonitor")))
    , m_channel(*this)
    , m_flags(std::move(environment.userDefaults))
    , m_availability(m_kit, m_flags, m_channel, m_life, *this)
    , m_reporting(m_kit, environment.homeFolder, environment.applicationIdentifier + QStringLiteral(".cache"),
                  m_availability, m_channel, m_life)
    , m_sync(m_kit, m_availability, m_reporting, m_flags, m_channel, m_life)
    , m_screens(m_kit, m_availability, m_channel, m_challengeInPlay)
{
    // Only a service that needs the network has the network watched: the
    // local one does not, and the watch would load the system's network
    // backend at start and wake the process while it idles.
    if (m_pathMonitor && m_kit && m_availability.needsNetwork()) {
        m_pathMonitor->setQueue(m_monitorQueue.get());
        m_pathMonitor->setUpdateHandler([this](NetworkPathMonitor::Status status) {
            m_availability.networkChanged(status == NetworkPathMonitor::Status::Satisfied);
        });
        m_pathMonitor->start();
    }

    // What runs next is decided below, once the flags are read; the check
    // must not start a synchronisation of its own.
    const bool networkAtCheck = m_availability.serviceReachable();
    const bool available = m_availability.check(true, false);

    m_flags.ensure(localPlayerId());

    if (available) {
        m_availability.setAvailable(true);
        if (m_flags.flag(scoresSyncedKey()) && m_flags.flag(achievementsSyncedKey()))
            reportSavedScoresAndAchievements();
        else
            syncGameService();
    } else {
        m_availability.setAvailable(false);
    }

    // A network that came up after the first check and before now has not
    // been acted on yet.
    m_availability.startFinished(networkAtCheck);
}

GameServiceManager::~GameServiceManager()
{
    if (m_pathMonitor) {
        m_pathMonitor->setUpdateHandler({});
        m_pathMonitor->setQueue(nullptr);
    }
    m_monitorQueue->waitForIdle(); // reports already queued still write the flag
    // Let the answers under way land (a failed report still reaches the cache).
    if (m_kit)
        m_kit->waitForIdle();
    m_life.end();
    if (m_kit)
        m_kit->localPlayer().setAuthenticateHandler({});
    m_channel.detach();
}

void GameServiceManager::adoptUnknownPlayer()
{
    m_reporting.adoptUnknownPlayer();
}

void GameServiceManager::startSync()
{
    m_sync.start();
}

// -- availability ----------------------------------------------------------------

bool GameServiceManager::checkGameServiceAvailability(bool argument)
{
    return m_availability.check(argument, true);
}

QString GameServiceManager::localPlayerId() const
{
    return m_availability.localPlayerId();
}

QString GameServiceManager::scoresSyncedKey() const
{
    return SyncFlags::scoresKey(localPlayerId());
}

QString GameServiceManager::achievementsSyncedKey() const
{
    return SyncFlags::achievementsKey(localPlayerId());
}

// -- delegate ------------------------------------------------------------------

std::shared_ptr<GameServiceManagerDelegate> GameServiceManager::delegate() const
{
    return m_channel.delegate();
}

void GameServiceManager::setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate)
{
    m_channel.setDelegate(std::move(delegate));
}

std::shared_ptr<GameServiceDelegateProxy> GameServiceManager::delegateProxy() const
{
    std::lock_guard lock(m_proxyMutex);
    return m_delegateProxy;
}

void GameServiceManager::setDelegateProxy(std::shared_ptr<GameServiceDelegateProxy> proxy)
{
    std::shared_ptr<GameServiceDelegateProxy> previous; // released outside the lock
    std::lock_guard lock(m_proxyMutex);
    previous = std::exchange(m_delegateProxy, std::move(proxy));
}

// -- reporting and the cache ---------------------------------------------------

void GameServiceManager::setupManager()
{
    m_reporting.setup();
}

bool GameServiceManager::flushCache()
{
    // The synchronisation flags may be written behind as well.
    m_flags.flush();
    return m_reporting.flush();
}

void GameServiceManager::syncGameService()
{
    m_sync.start();
}

void GameServiceManager::reportSavedScoresAndAchievements()
{
    m_reporting.reportSaved();
}

void GameServiceManager::saveAndReportScore(std::int64_t score, const QString &leaderboard, SortOrder sortOrder)
{
    m_reporting.saveAndReportScore(score, leaderboard, sortOrder);
}

void GameServiceManager::saveAndReportAchievement(const QString &identifier, double percentComplete,
                                                  bool shouldDisplayNotification)
{
    m_reporting.saveAndReportAchievement(identifier, percentComplete, shouldDisplayNotification);
}

void GameServiceManager::saveScoreToReportLater(const Score &score)
{
    m_reporting.saveScoreToReportLater(score);
}

void GameServiceManager::saveAchievementToReportLater(const QString &identifier, double percentComplete)
{
    m_reporting.saveAchievementToReportLater(identifier, percentComplete);
}

std::int64_t GameServiceManager::highScoreForLeaderboard(const QString &leaderboard) const
{
    return m_reporting.highScoreForLeaderboard(leaderboard);
}

QMap<QString, std::int64_t> GameServiceManager::highScoreForLeaderboards(const QStringList &leaderboards) const
{
    return m_reporting.highScoreForLeaderboards(leaderboards);
}

double GameServiceManager::progressForAchievement(const QString &identifier) const
{
    return m_reporting.progressForAchievement(identifier);
}

QMap<QString, double> GameServiceManager::progressForAchievements(const QStringList &identifiers) const
{
    return m_reporting.progressForAchievements(identifiers);
}

void GameServiceManager::resetAchievementsWithCompletion(std::function<void(OptionalError)> completion)
{
    m_sync.resetAchievements(std::move(completion));
}

double GameServiceManager::progressForAchievement(const std::string &identifier)
{
    return progressForAchievement(QString::fromStdString(identifier));
}

void GameServiceManager::saveAndReportAchievement(const std::string &identifier, double percentComplete,
                                                  bool shouldDisplayNotification)
{
    saveAndReportAchievement(QString::fromStdString(identifier), percentComplete, shouldDisplayNotification);
}

void GameServiceManager::saveAndReportScore(std::int64_t score, const std::string &leaderboard, SortOrder sortOrder)
{
    saveAndReportScore(score, QString::fromStdString(leaderboard), sortOrder);
}

// -- service screens, challenges, local player ------------------------------------

void GameServiceManager::presentAchievementsOnViewController(QWidget *presenter)
{
    m_screens.present(presenter, GameServiceViewController::ViewState::Achievements, std::nullopt);
}

void GameServiceManager::presentLeaderboardsOnViewController(QWidget *presenter,
                                                             const std::optional<QString> &leaderboard)
{
    m_screens.present(presenter, GameServiceViewController::ViewState::Leaderboards, leaderboard);
}

void GameServiceManager::presentChallengesOnViewController(QWidget *presenter)
{
    m_screens.present(presenter, GameServiceViewController::ViewState::Challenges, std::nullopt);
}

void GameServiceManager::gameServiceViewControllerDidFinish(GameServiceViewController &controller)
{
    m_screens.gameServiceViewControllerDidFinish(controller);
}

void GameServiceManager::gameServiceViewControllerDidSignOut(GameServiceViewController &controller)
{
    m_screens.gameServiceViewControllerDidSignOut(controller);
}

void GameServiceManager::signOut()
{
    m_availability.signOut();
}

void GameServiceManager::getChallengesWithCompletion(
    std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion)
{
    m_screens.getChallenges(std::move(completion));
}

QString GameServiceManager::localPlayerDisplayName() const
{
    return m_screens.localPlayerDisplayName();
}

LocalPlayer *GameServiceManager::localPlayerData() const
{
    return m_screens.localPlayerData();
}

void GameServiceManager::localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion)
{
    m_screens.localPlayerPhoto(std::move(completion));
}

} // namespace kestrune
