#include "gameservicemanager.h"

#include "gameserviceavailabilitystate.h"
#include "gameserviceenvironment.h"
#include "gameservicemanagerdelegate.h"

#include "game/keyvaluestore.h"
#include "game/numberhelper.h"
#include "platform/apppaths.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/dispatch/serialqueue.h"
#include "platform/network/networkpathmonitor.h"
#include "platform/servicekit/gameserviceviewcontroller.h"
#include "platform/servicekit/localplayer.h"
#include "platform/servicekit/servicekit.h"
#include "platform/servicekit/signinviewcontroller.h"

#include <QCborArray>
#include <QCborValue>
#include <QDebug>

#include <algorithm>
#include <shared_mutex>

namespace kestrune {

namespace {

const QString savedScoresKey = QStringLiteral("SavedScores");
const QString savedAchievementsKey = QStringLiteral("SavedAchievements");

ServiceError ownError(const QString &text, int code)
{
    return ServiceError{text, code, {}};
}

std::int64_t integerOf(const QCborValue &v)
{
    if (v.isInteger())
        return v.toInteger();
    if (v.isDouble())
        return NumberHelper::integerOf(v.toDouble());
    return 0;
}

double doubleOf(const QCborValue &v)
{
    // A NaN progress would compare false against every new one and never move.
    return v.isInteger() || v.isDouble() ? NumberHelper::finiteOrZero(v.toDouble()) : 0.0;
}

int state(GameServiceAvailabilityState s)
{
    return static_cast<int>(s);
}

} // namespace

// Lets answers that arrive after the manager has gone find out and drop
// themselves: every asynchronous entry point runs under a shared lock, and
// the destructor takes it exclusively once.
struct GameServiceManager::Life
{
    std::shared_mutex mutex;
    bool alive = true;
};

// The weak delegate and the manager it is told about; queued notifications
// read both when they are delivered.
struct GameServiceManager::DelegateSlot
{
    std::mutex mutex;
    std::weak_ptr<GameServiceManagerDelegate> delegate;
    GameServiceManager *owner = nullptr;

    void deliver(const DelegateCall &call)
    {
        std::shared_ptr<GameServiceManagerDelegate> d;
        GameServiceManager *m;
        {
            std::lock_guard lock(mutex);
            d = delegate.lock();
            m = owner;
        }
        if (d && m)
            call(*d, *m);
    }
};

template<typename F>
auto GameServiceManager::guarded(F f) const
{
    return [life = m_life, f = std::move(f)](auto &&...args) {
        std::shared_lock lock(life->mutex);
        if (life->alive)
            f(std::forward<decltype(args)>(args)...);
    };
}

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
    , m_defaults(std::move(environment.userDefaults))
    , m_pathMonitor(std::move(environment.pathMonitor))
    , m_monitorQueue(std::make_unique<SerialQueue>(environment.applicationIdentifier + QStringLiteral(".networkMonitor")))
    , m_cache(environment.homeFolder, environment.applicationIdentifier + QStringLiteral(".cache"))
    , m_life(std::make_shared<Life>())
    , m_delegate(std::make_shared<DelegateSlot>())
{
    Q_ASSERT(m_defaults);
    m_delegate->owner = this;

    if (m_pathMonitor) {
        m_pathMonitor->setQueue(m_monitorQueue.get());
        m_pathMonitor->setUpdateHandler([this](NetworkPathMonitor::Status status) {
            networkChanged(status == NetworkPathMonitor::Status::Satisfied);
        });
        m_pathMonitor->start();
    }

    // Step 6 below decides what runs next; the check must not start a
    // synchronisation of its own.
    const bool networkAtCheck = m_internetAvailable.load();
    const bool available = checkAvailability(true, false);

    {
        std::lock_guard lock(m_defaultsMutex);
        m_defaults->synchronize();
        for (const QString &key : {scoresSyncedKey(), achievementsSyncedKey()}) {
            if (!m_defaults->contains(key.toStdString()))
                m_defaults->setBoolean(key.toStdString(), false);
        }
        m_defaults->synchronize();
    }

    if (available) {
        m_gameServiceAvailable = true;
        if (flag(scoresSyncedKey()) && flag(achievementsSyncedKey()))
            reportSavedScoresAndAchievements();
        else
            syncGameService();
    } else {
        m_gameServiceAvailable = false;
    }

    // A network that came up after the first check and before now has not
    // been acted on yet.
    bool missed = false;
    {
        std::lock_guard lock(m_startMutex);
        m_started = true;
        missed = m_networkCameBackEarly && !networkAtCheck;
    }
    if (missed)
        networkCameBack();
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
    {
        std::unique_lock lock(m_life->mutex);
        m_life->alive = false;
    }
    if (m_kit)
        m_kit->localPlayer().setAuthenticateHandler({});
    std::lock_guard lock(m_delegate->mutex);
    m_delegate->owner = nullptr;
}

// -- delegate ------------------------------------------------------------------

std::shared_ptr<GameServiceManagerDelegate> GameServiceManager::delegate() const
{
    std::lock_guard lock(m_delegate->mutex);
    return m_delegate->delegate.lock();
}

void GameServiceManager::setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate)
{
    std::lock_guard lock(m_delegate->mutex);
    m_delegate->delegate = std::move(delegate);
}

void GameServiceManager::notifyOnMain(DelegateCall call) const
{
    DispatchQueue::main([slot = m_delegate, call = std::move(call)] { slot->deliver(call); });
}

void GameServiceManager::notifyNow(const DelegateCall &call) const
{
    m_delegate->deliver(call);
}

void GameServiceManager::sendError(const ServiceError &error) const
{
    notifyOnMain([error](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, error); });
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

// -- availability --------------------------------------------------------------

bool GameServiceManager::enterState(int s)
{
    // One atomic exchange: of several threads entering the same state, exactly
    // one sees the change and announces it.
    return m_previousAvailability.exchange(s) != s;
}

bool GameServiceManager::checkGameServiceAvailability(bool argument)
{
    return checkAvailability(argument, true);
}

void GameServiceManager::networkChanged(bool reachable)
{
    const bool wasReachable = m_internetAvailable.exchange(reachable);
    if (!reachable || wasReachable)
        return;
    {
        // Before the constructor's own check has run its course, that check
        // decides; the constructor catches up on what it missed.
        std::lock_guard lock(m_startMutex);
        if (!m_started) {
            m_networkCameBackEarly = true;
            return;
        }
    }
    networkCameBack();
}

void GameServiceManager::networkCameBack()
{
    // Back online: what waited in the cache goes out now (a synchronisation
    // first, then the drain), and a player nobody asked yet can be asked to
    // sign in. Off the monitor's queue, which only tracks reachability.
    DispatchQueue::global(guarded([this] {
        if (m_gameServiceAvailable.load())
            syncGameService();
        else
            checkGameServiceAvailability(false);
    }));
}

bool GameServiceManager::checkAvailability(bool argument, bool startSync)
{
    using S = GameServiceAvailabilityState;
    auto announce = [](S s) {
        return [dictionary = availabilityDictionary(s)](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.availabilityChanged(m, dictionary);
        };
    };

    if (!m_kit) {
        if (enterState(state(S::unavailable)))
            notifyOnMain(announce(S::unavailable));
        return false;
    }
    if (!m_internetAvailable.load()) {
        if (enterState(state(S::internetUnavailable)))
            notifyOnMain(announce(S::internetUnavailable));
        return false;
    }

    LocalPlayer &player = m_kit->localPlayer();
    // Read, and state 3 entered, before the handler goes in: the service may
    // answer on another thread at once, and its answer (state 2 or 4) must
    // not be overtaken by this check's older view.
    const bool authenticated = player.isAuthenticated();
    if (!authenticated && enterState(state(S::notAuthenticated)))
        notifyNow(announce(S::notAuthenticated));
    player.setAuthenticateHandler(guarded([this, argument](std::shared_ptr<SignInViewController> screen,
                                                           OptionalError error) {
        authenticationAnswered(screen, error, argument);
    }));
    if (!authenticated)
        return false;
    if (enterState(state(S::available))) {
        // Before the flag below: while it is still false these are the flags
        // of "unknownPlayer".
        setFlags(localPlayerId(), false, false);
        notifyOnMain(announce(S::available));
        m_gameServiceAvailable = true;
        adoptUnknownPlayer();
        // The synchronisation ends by sending what the cache holds, so
        // nothing earned offline waits for another start of the program.
        if (startSync)
            syncGameService();
    }
    return true;
}

void GameServiceManager::authenticationAnswered(const std::shared_ptr<SignInViewController> &screen,
                                                const OptionalError &error, bool argument)
{
    if (screen) {
        if (enterState(state(GameServiceAvailabilityState::noPlayer))) {
            notifyOnMain([screen, dictionary = availabilityDictionary(GameServiceAvailabilityState::noPlayer)](
                             GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.availabilityChanged(m, dictionary);
                d.authenticateUser(m, screen);
            });
        }
        return;
    }
    if (!error)
        checkGameServiceAvailability(argument);
}

QString GameServiceManager::localPlayerId() const
{
    if (m_gameServiceAvailable.load() && m_kit) {
        if (const auto id = m_kit->localPlayer().playerID())
            return *id;
    }
    return unknownPlayer;
}

QString GameServiceManager::scoresSyncedKey() const
{
    return QStringLiteral("scoresSynced") + localPlayerId();
}

QString GameServiceManager::achievementsSyncedKey() const
{
    return QStringLiteral("achievementsSynced") + localPlayerId();
}

bool GameServiceManager::flag(const QString &key) const
{
    std::lock_guard lock(m_defaultsMutex);
    return m_defaults->boolean(key.toStdString()).value_or(false);
}

void GameServiceManager::setFlags(const QString &player, std::optional<bool> scores, std::optional<bool> achievements)
{
    std::lock_guard lock(m_defaultsMutex);
    if (scores)
        m_defaults->setBoolean((QStringLiteral("scoresSynced") + player).toStdString(), *scores);
    if (achievements)
        m_defaults->setBoolean((QStringLiteral("achievementsSynced") + player).toStdString(), *achievements);
    m_defaults->synchronize();
}

// -- the cache file --------------------------------------------------------------

void GameServiceManager::setupManager()
{
    std::call_once(m_setupOnce, [this] { m_cache.prepare(); });
}

bool GameServiceManager::flushCache()
{
    return m_cache.flush();
}

void GameServiceManager::adoptUnknownPlayer()
{
    const QString player = localPlayerId();
    if (player == unknownPlayer)
        return;
    std::map<QString, SortOrder> sortOrders;
    {
        std::lock_guard lock(m_leaderboardsMutex);
        sortOrders = m_sortOrders;
    }
    // What was earned on this device before anybody signed in belongs to the
    // first player who does: best values merge by the higher (scores by
    // their sort order), waiting achievements by the higher percentage. It
    // moves, so a second player cannot take it again.
    m_cache.update([&](QCborMap &root) {
        const QCborMap earned = root.value(unknownPlayer).toMap();
        if (earned.isEmpty())
            return false;
        QCborMap entry = root.value(player).toMap();
        for (auto it = earned.constBegin(); it != earned.constEnd(); ++it) {
            const QString key = it.key().toString();
            if (key == savedAchievementsKey) {
                QCborMap saved = entry.value(savedAchievementsKey).toMap();
                const QCborMap waiting = it.value().toMap();
                for (auto w = waiting.constBegin(); w != waiting.constEnd(); ++w) {
                    if (!saved.contains(w.key()) || doubleOf(saved.value(w.key())) < doubleOf(w.value()))
                        saved.insert(w.key(), doubleOf(w.value()));
                }
                entry.insert(savedAchievementsKey, saved);
            } else if (it.value().isInteger()) {
                const std::int64_t mine = integerOf(entry.value(key));
                const std::int64_t theirs = integerOf(it.value());
                const auto order = sortOrders.find(key);
                const bool lowerIsBetter = order != sortOrders.end() && order->second == SortOrder::lowerIsBetter;
                const bool better = lowerIsBetter ? theirs < mine : theirs > mine;
                if (!entry.contains(key) || better)
                    entry.insert(key, qint64(theirs));
            } else if (!entry.contains(key) || doubleOf(entry.value(key)) < doubleOf(it.value())) {
                entry.insert(key, doubleOf(it.value()));
            }
        }
        root.insert(player, entry);
        root.remove(unknownPlayer);
        return true;
    });
}

void GameServiceManager::saveAndReportScore(std::int64_t score, const QString &leaderboard, SortOrder sortOrder)
{
    {
        std::lock_guard lock(m_leaderboardsMutex);
        m_sortOrders[leaderboard] = sortOrder;
    }
    const QString player = localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        const std::int64_t stored = integerOf(entry.value(leaderboard));
        const bool better = sortOrder == SortOrder::lowerIsBetter ? stored > score : stored < score;
        if (!better)
            return false;
        entry.insert(leaderboard, qint64(score));
        root.insert(player, entry);
        return true;
    });

    Score object(leaderboard);
    object.setValue(score);
    if (!checkGameServiceAvailability(false)) {
        saveScoreToReportLater(object);
        return;
    }
    m_kit->reportScores({object}, guarded([this, object](OptionalError error) {
        if (error)
            saveScoreToReportLater(object);
        notifyOnMain([object, error](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.reportedScore(m, object, error);
        });
    }));
}

void GameServiceManager::saveAndReportAchievement(const QString &identifier, double percentComplete,
                                                  bool shouldDisplayNotification)
{
    const QString player = localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        if (!(doubleOf(entry.value(identifier)) < percentComplete))
            return false;
        entry.insert(identifier, percentComplete);
        root.insert(player, entry);
        return true;
    });

    if (!checkGameServiceAvailability(false)) {
        saveAchievementToReportLater(identifier, percentComplete);
        return;
    }
    auto achievement = Achievement::withIdentifier(identifier);
    if (!achievement) {
        // Nothing the service could take; the cache reports why.
        saveAchievementToReportLater(identifier, percentComplete);
        return;
    }
    achievement->setPercentComplete(percentComplete);
    achievement->setShowsCompletionBanner(shouldDisplayNotification);
    m_kit->reportAchievements({*achievement}, guarded([this, achievement = *achievement](OptionalError error) {
        if (error)
            saveAchievementToReportLater(achievement.identifier(), achievement.percentComplete());
        notifyOnMain([achievement, error](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.reportedAchievement(m, achievement, error);
        });
    }));
}

void GameServiceManager::saveScoreToReportLater(const Score &score)
{
    if (score.value() == 0)
        return;
    const QByteArray blob = score.archived();
    m_cache.update([&](QCborMap &root) {
        // Taken out, so that appending does not copy the whole list.
        QCborArray saved = root.take(savedScoresKey).toArray();
        saved.append(blob);
        root.insert(savedScoresKey, saved);
        return true;
    });
    notifyOnMain([score](GameServiceManagerDelegate &d, GameServiceManager &m) { d.didSaveScore(m, score); });
}

void GameServiceManager::saveAchievementToReportLater(const QString &identifier, double percentComplete)
{
    const QString player = localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        QCborMap saved = entry.value(savedAchievementsKey).toMap();
        if (!entry.contains(savedAchievementsKey) || doubleOf(saved.value(identifier)) < percentComplete)
            saved.insert(identifier, percentComplete);
        entry.insert(savedAchievementsKey, saved);
        root.insert(player, entry);
        return true;
    });

    auto achievement = Achievement::withIdentifier(identifier);
    if (!achievement) {
        sendError(ownError(QStringLiteral("Could not save achievement because necessary data is missing. GameService "
                                          "needs an Achievement ID and Percent Completed to save the achievement. "
                                          "You provided the following data:\nAchievement: %1\nPercent Completed:%2")
                               .arg(QStringLiteral("(null)"), QString::number(percentComplete)),
                           5));
        return;
    }
    achievement->setPercentComplete(percentComplete);
    notifyOnMain([achievement = *achievement](GameServiceManagerDelegate &d, GameServiceManager &m) {
        d.didSaveAchievement(m, achievement);
    });
}

void GameServiceManager::reportSavedScoresAndAchievements()
{
    if (!m_internetAvailable.load()) {
        sendError(ownError(QStringLiteral("Internet unavailable - could not connect to the internet. Connect to WiFi "
                                          "or a Cellular Network to upload data to GameService."),
                           4));
        return;
    }
    // Without the framework there is nobody to send to; the items stay.
    if (!m_kit)
        return;

    std::optional<Score> score;
    m_cache.update([&](QCborMap &root) {
        if (root.value(savedScoresKey).toArray().isEmpty())
            return false;
        QCborArray saved = root.take(savedScoresKey).toArray();
        const QCborValue blob = saved.first();
        saved.removeFirst();
        root.insert(savedScoresKey, saved);
        score = Score::fromArchive(blob.toByteArray());
        if (!score)
            qWarning() << "Game service cache: dropped a saved score that cannot be read";
        return true;
    });
    if (score && score->value() != 0) {
        m_kit->reportScores({*score}, guarded([this, score = *score](OptionalError error) {
            if (error)
                saveScoreToReportLater(score); // to the end of the list; the draining ends here
            else
                reportSavedScoresAndAchievements();
        }));
        return;
    }

    if (!m_kit->localPlayer().isAuthenticated())
        return;
    const QString player = localPlayerId();
    std::optional<Achievement> achievement;
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        QCborMap saved = entry.value(savedAchievementsKey).toMap();
        if (saved.isEmpty())
            return false;
        const auto first = saved.constBegin();
        const QString identifier = first.key().toString();
        const double percent = doubleOf(first.value());
        saved.remove(first.key());
        entry.insert(savedAchievementsKey, saved);
        root.insert(player, entry);
        achievement = Achievement::withIdentifier(identifier);
        if (achievement)
            achievement->setPercentComplete(percent);
        return true;
    });
    if (!achievement)
        return;
    m_kit->reportAchievements({*achievement}, guarded([this, achievement = *achievement](OptionalError error) {
        if (error)
            saveAchievementToReportLater(achievement.identifier(), achievement.percentComplete());
        else
            reportSavedScoresAndAchievements();
    }));
}

std::int64_t GameServiceManager::highScoreForLeaderboard(const QString &leaderboard) const
{
    return integerOf(m_cache.read().value(localPlayerId()).toMap().value(leaderboard));
}

QMap<QString, std::int64_t> GameServiceManager::highScoreForLeaderboards(const QStringList &leaderboards) const
{
    const QCborMap entry = m_cache.read().value(localPlayerId()).toMap();
    QMap<QString, std::int64_t> result;
    for (const QString &id : leaderboards)
        result.insert(id, integerOf(entry.value(id)));
    return result;
}

double GameServiceManager::progressForAchievement(const QString &identifier) const
{
    return doubleOf(m_cache.read().value(localPlayerId()).toMap().value(identifier));
}

QMap<QString, double> GameServiceManager::progressForAchievements(const QStringList &identifiers) const
{
    const QCborMap entry = m_cache.read().value(localPlayerId()).toMap();
    QMap<QString, double> result;
    for (const QString &id : identifiers)
        result.insert(id, doubleOf(entry.value(id)));
    return result;
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

// -- synchronisation -------------------------------------------------------------

void GameServiceManager::syncGameService()
{
    {
        // One synchronisation at a time: asked for while one runs, it runs
        // once more when that one ends, so none is lost and none doubled.
        std::lock_guard lock(m_syncMutex);
        if (m_syncRunning) {
            m_syncAgain = true;
            return;
        }
        m_syncRunning = true;
    }
    postSyncStep();
}

void GameServiceManager::postSyncStep()
{
    // There is no background-task time to ask for on the desktop; the step
    // simply runs on the worker pool.
    DispatchQueue::global(guarded([this] { syncStep(); }));
}

void GameServiceManager::syncEnded()
{
    {
        std::lock_guard lock(m_syncMutex);
        if (!std::exchange(m_syncAgain, false)) {
            m_syncRunning = false;
            return;
        }
    }
    postSyncStep();
}

void GameServiceManager::syncStep()
{
    // A state change seen here goes on as this step, not as a second one.
    if (!checkAvailability(false, false)) {
        sendError(ownError(QStringLiteral("GameService unavailable."), 2));
        syncEnded();
        return;
    }
    if (!flag(scoresSyncedKey())) {
        syncScores(localPlayerId());
        return;
    }
    if (!flag(achievementsSyncedKey())) {
        syncAchievements();
        return;
    }
    notifyOnMain([](GameServiceManagerDelegate &d, GameServiceManager &m) { d.gameServiceSynced(m, true); });
    syncEnded();
    // Only now: sent earlier, merged values could go out twice.
    reportSavedScoresAndAchievements();
}

void GameServiceManager::syncScores(const QString &player)
{
    std::optional<std::vector<Leaderboard>> leaderboards;
    {
        std::lock_guard lock(m_leaderboardsMutex);
        leaderboards = m_leaderboards;
    }
    if (!leaderboards) {
        m_kit->loadLeaderboards(guarded([this](std::vector<Leaderboard> loaded, OptionalError error) {
            if (error) {
                sendError(*error);
                syncEnded();
                return;
            }
            {
                std::lock_guard lock(m_leaderboardsMutex);
                if (!m_leaderboards)
                    m_leaderboards = std::move(loaded);
            }
            postSyncStep();
        }));
        return;
    }
    if (leaderboards->empty()) {
        setFlags(player, true, std::nullopt);
        postSyncStep();
        return;
    }
    const QString identifier = leaderboards->front().identifier;
    m_kit->loadScores(identifier, guarded([this, identifier](Leaderboard::Scores scores, OptionalError error) {
        if (error) {
            sendError(*error); // the list stays as it is: the next synchronisation resumes here
            syncEnded();
            return;
        }
        if (!scores.scores.empty() && scores.localPlayerScore)
            mergeServiceScore(*scores.localPlayerScore);
        {
            // By identifier rather than "the first": two synchronisations
            // running side by side must not drop a leaderboard unseen.
            std::lock_guard lock(m_leaderboardsMutex);
            if (m_leaderboards)
                std::erase_if(*m_leaderboards, [&](const Leaderboard &l) { return l.identifier == identifier; });
        }
        postSyncStep();
    }));
}

void GameServiceManager::mergeServiceScore(const Score &score)
{
    const QString player = localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        // Compared as 64-bit integers: a float would round scores above 2^24.
        const std::int64_t stored = integerOf(entry.value(score.leaderboardIdentifier()));
        entry.insert(score.leaderboardIdentifier(), qint64(std::max(stored, score.value())));
        root.insert(player, entry);
        return true;
    });
}

void GameServiceManager::syncAchievements()
{
    m_kit->loadAchievements(guarded([this](std::vector<Achievement> achievements, OptionalError error) {
        if (error) {
            sendError(*error);
            syncEnded();
            return;
        }
        const QString player = localPlayerId();
        if (!achievements.empty()) {
            m_cache.update([&](QCborMap &root) {
                QCborMap entry = root.value(player).toMap();
                // The service's values replace the device's, except where
                // more is still waiting to be sent: that is not to be undone
                // before it goes out.
                const QCborMap waiting = entry.value(savedAchievementsKey).toMap();
                for (const Achievement &a : achievements)
                    entry.insert(a.identifier(), std::max(a.percentComplete(), doubleOf(waiting.value(a.identifier()))));
                root.insert(player, entry);
                return true;
            });
        }
        setFlags(player, std::nullopt, true);
        postSyncStep();
    }));
}

void GameServiceManager::resetAchievementsWithCompletion(std::function<void(OptionalError)> completion)
{
    if (!m_gameServiceAvailable.load() || !m_kit)
        return;
    auto finish = [completion](OptionalError error) {
        DispatchQueue::main([completion, error] {
            if (completion)
                completion(error);
        });
    };
    m_kit->loadAchievements(guarded([this, finish](std::vector<Achievement> achievements, OptionalError error) {
        if (error) {
            finish(error);
            return;
        }
        const QString player = localPlayerId();
        m_cache.update([&](QCborMap &root) {
            QCborMap entry = root.value(player).toMap();
            for (const Achievement &a : achievements)
                entry.remove(a.identifier());
            root.insert(player, entry);
            return true;
        });
        m_kit->resetAchievements(guarded([this, finish](OptionalError error) {
            if (!error) {
                setFlags(localPlayerId(), std::nullopt, false);
                syncGameService();
            }
            finish(error);
        }));
    }));
}

// -- service screens, challenges, local player -------------------------------------

void GameServiceManager::present(QWidget *presenter, GameServiceViewController::ViewState viewState,
                                 const std::optional<QString> &leaderboard)
{
    if (!m_kit)
        return; // no framework, no screens
    auto screen = std::make_shared<GameServiceViewController>(m_kit);
    screen->setViewState(viewState);
    if (leaderboard)
        screen->setLeaderboardIdentifier(*leaderboard);
    screen->setGameServiceDelegate(this);
    screen->present(presenter, true, [slot = m_delegate] {
        DispatchQueue::main([slot] {
            slot->deliver([](GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.gameServiceViewControllerPresented(m, true);
            });
        });
    });
}

void GameServiceManager::presentAchievementsOnViewController(QWidget *presenter)
{
    present(presenter, GameServiceViewController::ViewState::Achievements, std::nullopt);
}

void GameServiceManager::presentLeaderboardsOnViewController(QWidget *presenter,
                                                             const std::optional<QString> &leaderboard)
{
    present(presenter, GameServiceViewController::ViewState::Leaderboards, leaderboard);
}

void GameServiceManager::presentChallengesOnViewController(QWidget *presenter)
{
    present(presenter, GameServiceViewController::ViewState::Challenges, std::nullopt);
}

void GameServiceManager::gameServiceViewControllerDidFinish(GameServiceViewController &controller)
{
    controller.dismiss(true, [slot = m_delegate] {
        DispatchQueue::main([slot] {
            slot->deliver([](GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.gameServiceViewControllerDidFinish(m, true);
            });
        });
    });
}

void GameServiceManager::getChallengesWithCompletion(
    std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion)
{
    ServiceError own;
    if (!checkGameServiceAvailability(false)) {
        own = ownError(QStringLiteral("GameService Unavailable"), 2);
    } else if (!m_kit->hasChallenges()) {
        own = ownError(QStringLiteral("Challenge class is not available. Challenges need a newer system version. "
                                      "Current system version: %1")
                           .arg(ServiceKit::systemVersion()),
                       3);
    } else {
        m_kit->loadReceivedChallenges([completion](std::vector<Challenge> challenges, OptionalError error) {
            if (completion)
                completion(error ? std::nullopt : std::optional(std::move(challenges)), error);
        });
        return;
    }
    notifyNow([own](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, own); });
}

QString GameServiceManager::localPlayerDisplayName() const
{
    if (LocalPlayer *player = localPlayerData())
        return player->displayName();
    return unknownPlayer;
}

LocalPlayer *GameServiceManager::localPlayerData() const
{
    if (m_gameServiceAvailable.load() && m_kit && m_kit->localPlayer().isAuthenticated())
        return &m_kit->localPlayer();
    return nullptr;
}

void GameServiceManager::localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion)
{
    const ServiceError unavailable = ownError(QStringLiteral("GameService Unavailable"), 2);
    auto sendNow = [&] {
        notifyNow([unavailable](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, unavailable); });
    };
    if (!m_gameServiceAvailable.load()) {
        sendNow();
        return;
    }
    LocalPlayer *player = localPlayerData();
    if (!player) {
        // Nobody to ask: answer now rather than leave the caller waiting.
        if (completion)
            completion(std::nullopt);
        sendNow();
        return;
    }
    player->loadPhoto(LocalPlayer::PhotoSize::Normal,
                      [slot = m_delegate, completion](std::optional<QByteArray> photo, OptionalError error) {
                          if (completion)
                              completion(std::move(photo));
                          if (error) {
                              DispatchQueue::main([slot, error] {
                                  slot->deliver([error](GameServiceManagerDelegate &d, GameServiceManager &m) {
                                      d.error(m, *error);
                                  });
                              });
                          }
                      });
}

} // namespace kestrune
