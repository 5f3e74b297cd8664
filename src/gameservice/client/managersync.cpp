// GameServiceManager: synchronisation with the service and resetting achievements.
#include "managerinternals.h"

#include "gameserviceavailabilitystate.h"
#include "gameservicemanagerdelegate.h"

#include "game/keyvaluestore.h"
#include "platform/dispatch/dispatchqueue.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"

#include <algorithm>

namespace kestrune {

using namespace managerinternals;

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
    const std::uint64_t ticket = m_resetFence.ticket();
    m_kit->loadAchievements(guarded([this, ticket](std::vector<Achievement> achievements, OptionalError error) {
        if (error) {
            sendError(*error);
            syncEnded();
            return;
        }
        const QString player = localPlayerId();
        bool stale = false;
        m_cache.update([&](QCborMap &root) {
            // Under the cache's lock, which the reset clears under too, so
            // that no reset comes between this check and the merge.
            stale = !m_resetFence.admits(ticket);
            if (stale || achievements.empty())
                return false;
            QCborMap entry = root.value(player).toMap();
            // The service's values replace the device's, except where more
            // is still waiting to be sent: that is not to be undone before
            // it goes out.
            const QCborMap waiting = entry.value(savedAchievementsKey).toMap();
            for (const Achievement &a : achievements)
                entry.insert(a.identifier(), std::max(a.percentComplete(), doubleOf(waiting.value(a.identifier()))));
            root.insert(player, entry);
            return true;
        });
        if (stale) {
            // The flag stays false: the synchronisation the reset starts (or
            // the fence asks for) loads the achievements again.
            syncEnded();
            return;
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
    m_resetFence.resetBegins();
    // A failed reset restarts a synchronisation it turned away; a successful
    // one starts its own.
    auto failed = [this, finish](const ServiceError &error) {
        if (m_resetFence.resetEnds(false))
            syncGameService();
        finish(error);
    };
    m_kit->loadAchievements(guarded([this, finish, failed](std::vector<Achievement> achievements, OptionalError error) {
        if (error) {
            failed(*error);
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
        m_kit->resetAchievements(guarded([this, finish, failed](OptionalError error) {
            if (error) {
                failed(*error);
                return;
            }
            // Before the new synchronisation takes its ticket, which must be admitted.
            m_resetFence.resetEnds(true);
            setFlags(localPlayerId(), std::nullopt, false);
            syncGameService();
            finish(error);
        }));
    }));
}

} // namespace kestrune
