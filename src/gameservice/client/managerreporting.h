#pragma once

#include "cachemirror.h"
#include "delegatechannel.h"

#include "game/gameservicereporting.h"
#include "gameservice/kit/achievement.h"
#include "gameservice/kit/score.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace kestrune {

class ManagerAvailability;
class ManagerLife;
class ServiceKit;

// GameServiceManager's reporting: sends scores and achievements, keeps what
// the service did not take in the cache, drains the cache, and answers what
// the cache knows (best scores, progress). It owns the cache; the
// synchronisation merges what it loads through it.
//
// Any thread. Locks: the sort orders' (a leaf) and the cache's, under which
// only the `admitted` check of mergeLoadedAchievements() runs.
class ManagerReporting
{
    Q_DECLARE_TR_FUNCTIONS(ManagerReporting)

public:
    ManagerReporting(std::shared_ptr<ServiceKit> kit, const QString &homeFolder, const QString &cacheQueueLabel,
                     ManagerAvailability &availability, DelegateChannel channel, const ManagerLife &life);

    QString cacheFilePath() const { return m_cache.filePath(); }
    // Prepares the cache file; its body runs once.
    void setup();
    bool flush() { return m_cache.flush(); }

    // What was earned before anybody signed in goes to the player now signed in.
    void adoptUnknownPlayer();

    void saveAndReportScore(std::int64_t score, const QString &leaderboard, SortOrder sortOrder);
    void saveAndReportAchievement(const QString &identifier, double percentComplete, bool shouldDisplayNotification);
    void saveScoreToReportLater(const Score &score);
    void saveAchievementToReportLater(const QString &identifier, double percentComplete);
    // Sends the cached items one at a time, scores first and in the order
    // they were made; the first failure ends the run and its item stays
    // first. Runs once at a time; a call during a run makes it look again.
    void reportSaved();

    std::int64_t highScoreForLeaderboard(const QString &leaderboard) const;
    QMap<QString, std::int64_t> highScoreForLeaderboards(const QStringList &leaderboards) const;
    double progressForAchievement(const QString &identifier) const;
    QMap<QString, double> progressForAchievements(const QStringList &identifiers) const;

    // -- for the synchronisation --------------------------------------------

    // Keeps the higher of the service's and the cache's best score.
    void mergeServiceScore(const Score &score);
    // Takes the service's achievements unless `admitted` (run under the
    // cache's lock, so that nothing clears the cache between it and the
    // merge) says no; false then.
    bool mergeLoadedAchievements(const QString &player, const std::vector<Achievement> &achievements,
                                 const std::function<bool()> &admitted);
    // Drops the player's progress of these achievements.
    void forgetAchievements(const QString &player, const std::vector<Achievement> &achievements);

private:
    void drainNext();
    // Ends the run unless more was asked for meanwhile (and it did not
    // fail); true when it goes on.
    bool finishDrain(bool failed);
    void removeSavedScore(const QString &reportID);

    std::shared_ptr<ServiceKit> m_kit;
    ManagerAvailability &m_availability;
    DelegateChannel m_channel;
    const ManagerLife &m_life;

    CacheMirror m_cache;
    std::once_flag m_setupOnce;
    mutable std::mutex m_sortOrdersMutex;
    std::map<QString, SortOrder> m_sortOrders; // by leaderboard, as reported; under m_sortOrdersMutex
    std::mutex m_drainMutex; // a leaf
    bool m_draining = false;  // under m_drainMutex
    bool m_drainAgain = false; // under m_drainMutex
};

} // namespace kestrune
