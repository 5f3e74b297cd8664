#pragma once

#include "achievementresetfence.h"
#include "delegatechannel.h"

#include "gameservice/kit/leaderboard.h"
#include "gameservice/kit/serviceerror.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace kestrune {

class ManagerAvailability;
class ManagerLife;
class ManagerReporting;
class ServiceKit;
class SyncFlags;

// GameServiceManager's synchronisation: loads the service's scores and
// achievements into the cache, one step at a time on the worker pool, and
// resets the achievements. One synchronisation runs at a time.
//
// Any thread. Its locks (the run state's, the leaderboards' and the reset
// fence's) are leaves, except that the fence's is taken under the cache's.
class ManagerSync
{
    Q_DECLARE_TR_FUNCTIONS(ManagerSync)

public:
    ManagerSync(std::shared_ptr<ServiceKit> kit, ManagerAvailability &availability, ManagerReporting &reporting,
                SyncFlags &flags, DelegateChannel channel, const ManagerLife &life);

    // Asked for while one runs, it runs again once that one has ended.
    void start();
    void resetAchievements(std::function<void(OptionalError)> completion);

private:
    void postStep();
    void ended();
    void step();
    void syncScores(const QString &player);
    void syncAchievements();

    std::shared_ptr<ServiceKit> m_kit;
    ManagerAvailability &m_availability;
    ManagerReporting &m_reporting;
    SyncFlags &m_flags;
    DelegateChannel m_channel;
    const ManagerLife &m_life;

    std::mutex m_runMutex;
    bool m_running = false; // under m_runMutex
    bool m_again = false;   // under m_runMutex
    std::mutex m_leaderboardsMutex;
    std::optional<std::vector<Leaderboard>> m_leaderboards; // still to load; under m_leaderboardsMutex
    AchievementResetFence m_resetFence;
};

} // namespace kestrune
