// GameServiceManager's synchronisation with the service and resetting achievements.
#include "managersync.h"

#include "gameservicemanagerdelegate.h"
#include "manageravailability.h"
#include "managerinternals.h"
#include "managerlife.h"
#include "managerreporting.h"
#include "syncflags.h"

#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"

#include <algorithm>

namespace kestrune {

using namespace managerinternals;

ManagerSync::ManagerSync(std::shared_ptr<ServiceKit> kit, ManagerAvailability &availability,
                         ManagerReporting &reporting, SyncFlags &flags, DelegateChannel channel,
                         const ManagerLife &life)
    : m_kit(std::move(kit))
    , m_availability(availability)
    , m_reporting(reporting)
    , m_flags(flags)
    , m_channel(std::move(channel))
    , m_life(life)
{
}

void ManagerSync::start()
{
    {
        // One synchronisation at a time: asked for while one runs, it runs
        // once more when that one ends, so none is lost and none doubled.
        std::lock_guard lock(m_runMutex);
        if (m_running) {
            m_again = true;
            return;
        }
        m_running = true;
    }
    postStep();
}

void ManagerSync::postStep()
{
    // There is no background-task time to ask for on the desktop; the step
    // simply runs on the worker pool.
    DispatchQueue::global(m_life.guard([this] { step(); }));
}

void ManagerSync::ended()
{
    {
        std::lock_guard lock(m_runMutex);
        if (!std::exchange(m_again, false)) {
            m_running = false;
            return;
        }
    }
    postStep();
}

void ManagerSync::step()
{
    // A state change seen here goes on as this step, not as a second one.
    if (!m_availability.check(false, false)) {
        m_channel.sendError(ownError(ManagerSync::tr("GameService unavailable."), 2));
        ended();
        return;
    }
    const QString player = m_availability.localPlayerId();
    if (!m_flags.flag(SyncFlags::scoresKey(player))) {
        syncScores(player);
        return;
    }
    if (!m_flags.flag(SyncFlags::achievementsKey(player))) {
        syncAchievements();
        return;
    }
    m_channel.notifyOnMain([](GameServiceManagerDelegate &d, GameServiceManager &m) { d.gameServiceSynced(m, true); });
    ended();
    // Only now: sent earlier, merged values could go out twice.
    m_reporting.reportSaved();
}

void ManagerSync::syncScores(const QString &player)
{
    std::optional<std::vector<Leaderboard>> leaderboards;
    {
        std::lock_guard lock(m_leaderboardsMutex);
        leaderboards = m_leaderboards;
    }
    if (!leaderboards) {
        m_kit->loadLeaderboards(m_life.guard([this](std::vector<Leaderboard> loaded, OptionalError error) {
            if (error) {
                m_channel.sendError(*error);
                ended();
                return;
            }
            {
                std::lock_guard lock(m_leaderboardsMutex);
                if (!m_leaderboards)
                    m_leaderboards = std::move(loaded);
            }
            postStep();
        }));
        return;
    }
    if (leaderboards->empty()) {
        m_flags.set(player, true, std::nullopt);
        postStep();
        return;
    }
    const QString identifier = leaderboards->front().identifier;
    m_kit->loadScores(identifier, m_life.guard([this, identifier](Leaderboard::Scores scores, OptionalError error) {
        if (error) {
            m_channel.sendError(*error); // the list stays as it is: the next synchronisation resumes here
            ended();
            return;
        }
        if (!scores.scores.empty() && scores.localPlayerScore)
            m_reporting.mergeServiceScore(*scores.localPlayerScore);
        {
            // By identifier rather than "the first": two synchronisations
            // running side by side must not drop a leaderboard unseen.
            std::lock_guard lock(m_leaderboardsMutex);
            if (m_leaderboards)
                std::erase_if(*m_leaderboards, [&](const Leaderboard &l) { return l.identifier == identifier; });
        }
        postStep();
    }));
}

void ManagerSync::syncAchievements()
{
    const std::uint64_t ticket = m_resetFence.ticket();
    m_kit->loadAchievements(m_life.guard([this, ticket](std::vector<Achievement> achievements, OptionalError error) {
        if (error) {
            m_channel.sendError(*error);
            ended();
            return;
        }
        const QString player = m_availability.localPlayerId();
        // Checked under the cache's lock, which the reset clears under too,
        // so that no reset comes between this check and the merge.
        if (!m_reporting.mergeLoadedAchievements(player, achievements, [&] { return m_resetFence.admits(ticket); })) {
            // The flag stays false: the synchronisation the reset starts (or
            // the fence asks for) loads the achievements again.
            ended();
            return;
        }
        m_flags.set(player, std::nullopt, true);
        postStep();
    }));
}

void ManagerSync::resetAchievements(std::function<void(OptionalError)> completion)
{
    if (!m_availability.isAvailable() || !m_kit)
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
            start();
        finish(error);
    };
    m_kit->loadAchievements(
        m_life.guard([this, finish, failed](std::vector<Achievement> achievements, OptionalError error) {
            if (error) {
                failed(*error);
                return;
            }
            m_reporting.forgetAchievements(m_availability.localPlayerId(), achievements);
            m_kit->resetAchievements(m_life.guard([this, finish, failed](OptionalError error) {
                if (error) {
                    failed(*error);
                    return;
                }
                // Before the new synchronisation takes its ticket, which must be admitted.
                m_resetFence.resetEnds(true);
                m_flags.set(m_availability.localPlayerId(), std::nullopt, false);
                start();
                finish(std::nullopt);
            }));
        }));
}

} // namespace kestrune
