// GameServiceManager's reporting, the cache of what waits, its drain, and what the cache knows.
#include "managerreporting.h"

#include "gameservicemanager.h"
#include "gameservicemanagerdelegate.h"
#include "manageravailability.h"
#include "managerinternals.h"
#include "managerlife.h"

#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"

#include <QCborArray>
#include <QDebug>

#include <algorithm>
#include <map>

namespace kestrune {

using namespace managerinternals;

ManagerReporting::ManagerReporting(std::shared_ptr<ServiceKit> kit, const QString &homeFolder,
                                   const QString &cacheQueueLabel, ManagerAvailability &availability,
                                   DelegateChannel channel, const ManagerLife &life)
    : m_kit(std::move(kit))
    , m_availability(availability)
    , m_channel(std::move(channel))
    , m_life(life)
    , m_cache(homeFolder, cacheQueueLabel)
{
}

// -- the cache file --------------------------------------------------------------

void ManagerReporting::setup()
{
    std::call_once(m_setupOnce, [this] { m_cache.prepare(); });
}

void ManagerReporting::adoptUnknownPlayer()
{
    const QString player = m_availability.localPlayerId();
    if (player == GameServiceManager::unknownPlayer)
        return;
    std::map<QString, SortOrder> sortOrders;
    {
        std::lock_guard lock(m_sortOrdersMutex);
        sortOrders = m_sortOrders;
    }
    // What was earned on this device before anybody signed in belongs to the
    // first player who does: best values merge by the higher (scores by
    // their sort order), waiting achievements by the higher percentage. It
    // moves, so a second player cannot take it again.
    m_cache.update([&](QCborMap &root) {
        const QCborMap earned = root.value(GameServiceManager::unknownPlayer).toMap();
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
        root.remove(GameServiceManager::unknownPlayer);
        return true;
    });
}

void ManagerReporting::saveAndReportScore(std::int64_t score, const QString &leaderboard, SortOrder sortOrder)
{
    {
        std::lock_guard lock(m_sortOrdersMutex);
        m_sortOrders[leaderboard] = sortOrder;
    }
    const QString player = m_availability.localPlayerId();
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
    // Named now, so that a resend after a lost answer is known for what it is.
    object.setReportID(Score::newReportID());
    if (!m_availability.check(false, true)) {
        saveScoreToReportLater(object);
        return;
    }
    // Scores go out in the order they were made: behind those still waiting.
    if (!m_cache.read().value(savedScoresKey).toArray().isEmpty()) {
        saveScoreToReportLater(object);
        reportSaved();
        return;
    }
    m_kit->reportScores({object}, m_life.guard([this, object](OptionalError error) {
        if (error)
            saveScoreToReportLater(object);
        m_channel.notifyOnMain([object, error](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.reportedScore(m, object, error);
        });
    }));
}

void ManagerReporting::saveAndReportAchievement(const QString &identifier, double percentComplete,
                                                bool shouldDisplayNotification)
{
    const QString player = m_availability.localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        if (!(doubleOf(entry.value(identifier)) < percentComplete))
            return false;
        entry.insert(identifier, percentComplete);
        root.insert(player, entry);
        return true;
    });

    if (!m_availability.check(false, true)) {
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
    m_kit->reportAchievements({*achievement}, m_life.guard([this, achievement = *achievement](OptionalError error) {
        if (error)
            saveAchievementToReportLater(achievement.identifier(), achievement.percentComplete());
        m_channel.notifyOnMain([achievement, error](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.reportedAchievement(m, achievement, error);
        });
    }));
}

void ManagerReporting::saveScoreToReportLater(const Score &score)
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
    m_channel.notifyOnMain([score](GameServiceManagerDelegate &d, GameServiceManager &m) { d.didSaveScore(m, score); });
}

void ManagerReporting::saveAchievementToReportLater(const QString &identifier, double percentComplete)
{
    const QString player = m_availability.localPlayerId();
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
        m_channel.sendError(
            ownError(ManagerReporting::tr("Could not save achievement because necessary data is missing. GameService "
                                          "needs an Achievement ID and Percent Completed to save the achievement. "
                                          "You provided the following data:\nAchievement: %1\nPercent Completed:%2")
                         .arg(QStringLiteral("(null)"), QString::number(percentComplete)),
                     5));
        return;
    }
    achievement->setPercentComplete(percentComplete);
    m_channel.notifyOnMain([achievement = *achievement](GameServiceManagerDelegate &d, GameServiceManager &m) {
        d.didSaveAchievement(m, achievement);
    });
}

void ManagerReporting::reportSaved()
{
    if (!m_availability.serviceReachable()) {
        m_channel.sendError(
            ownError(ManagerReporting::tr("Internet unavailable - could not connect to the internet. Connect to WiFi "
                                          "or a Cellular Network to upload data to GameService."),
                     4));
        return;
    }
    // Without the framework there is nobody to send to; the items stay.
    if (!m_kit)
        return;
    {
        std::lock_guard lock(m_drainMutex);
        m_drainAgain = true;
        if (m_draining)
            return; // the drain under way will look again before it ends
        m_draining = true;
    }
    drainNext();
}

bool ManagerReporting::finishDrain(bool failed)
{
    std::lock_guard lock(m_drainMutex);
    if (m_drainAgain && !failed)
        return true;
    m_draining = false;
    m_drainAgain = false;
    return false;
}

void ManagerReporting::drainNext()
{
    {
        std::lock_guard lock(m_drainMutex);
        m_drainAgain = false;
    }
    // One drain at a time, and the first waiting score stays in the cache
    // until the service has taken it: a process that dies on the way
    // sends it again, under the same id, and the service stores it once.
    std::optional<Score> score;
    m_cache.update([&](QCborMap &root) {
        QCborArray saved = root.value(savedScoresKey).toArray();
        bool changed = false;
        while (!score && !saved.isEmpty()) {
            score = Score::fromArchive(saved.first().toByteArray());
            if (score && score->value() != 0)
                break;
            if (!score)
                qWarning() << "Game service cache: dropped a saved score that cannot be read";
            score.reset();
            saved.removeFirst();
            changed = true;
        }
        if (score && score->reportID().isEmpty()) {
            // Saved before scores had ids.
            score->setReportID(Score::newReportID());
            saved[0] = score->archived();
            changed = true;
        }
        if (changed)
            root.insert(savedScoresKey, saved);
        return changed;
    });
    if (score) {
        m_kit->reportScores({*score}, m_life.guard([this, score = *score](OptionalError error) {
            // A refusal of the score itself would refuse it forever; anything
            // else (no answer, a busy server, no player) is worth another try.
            const bool refused = error && error->code == ServiceErrorCode::invalidParameter;
            if (refused)
                qWarning() << "Game service: the service refused a saved score, dropped:" << error->message;
            if (!error || refused)
                removeSavedScore(score.reportID());
            if (error && !refused) {
                finishDrain(true);
                return;
            }
            drainNext();
        }));
        return;
    }

    std::optional<Achievement> achievement;
    if (m_kit->localPlayer().isAuthenticated()) {
        const QString player = m_availability.localPlayerId();
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
    }
    if (!achievement) {
        if (finishDrain(false))
            drainNext();
        return;
    }
    m_kit->reportAchievements({*achievement}, m_life.guard([this, achievement = *achievement](OptionalError error) {
        if (error) {
            saveAchievementToReportLater(achievement.identifier(), achievement.percentComplete());
            finishDrain(true);
            return;
        }
        drainNext();
    }));
}

void ManagerReporting::removeSavedScore(const QString &reportID)
{
    m_cache.update([&](QCborMap &root) {
        QCborArray saved = root.value(savedScoresKey).toArray();
        for (qsizetype i = 0; i < saved.size(); ++i) {
            const auto score = Score::fromArchive(saved.at(i).toByteArray());
            if (score && score->reportID() == reportID) {
                saved.removeAt(i);
                root.insert(savedScoresKey, saved);
                return true;
            }
        }
        return false;
    });
}

std::int64_t ManagerReporting::highScoreForLeaderboard(const QString &leaderboard) const
{
    return integerOf(m_cache.read().value(m_availability.localPlayerId()).toMap().value(leaderboard));
}

QMap<QString, std::int64_t> ManagerReporting::highScoreForLeaderboards(const QStringList &leaderboards) const
{
    const QCborMap entry = m_cache.read().value(m_availability.localPlayerId()).toMap();
    QMap<QString, std::int64_t> result;
    for (const QString &id : leaderboards)
        result.insert(id, integerOf(entry.value(id)));
    return result;
}

double ManagerReporting::progressForAchievement(const QString &identifier) const
{
    return doubleOf(m_cache.read().value(m_availability.localPlayerId()).toMap().value(identifier));
}

QMap<QString, double> ManagerReporting::progressForAchievements(const QStringList &identifiers) const
{
    const QCborMap entry = m_cache.read().value(m_availability.localPlayerId()).toMap();
    QMap<QString, double> result;
    for (const QString &id : identifiers)
        result.insert(id, doubleOf(entry.value(id)));
    return result;
}

// -- for the synchronisation -------------------------------------------------------

void ManagerReporting::mergeServiceScore(const Score &score)
{
    const QString player = m_availability.localPlayerId();
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        // Compared as 64-bit integers: a float would round scores above 2^24.
        const std::int64_t stored = integerOf(entry.value(score.leaderboardIdentifier()));
        entry.insert(score.leaderboardIdentifier(), qint64(std::max(stored, score.value())));
        root.insert(player, entry);
        return true;
    });
}

bool ManagerReporting::mergeLoadedAchievements(const QString &player, const std::vector<Achievement> &achievements,
                                               const std::function<bool()> &admitted)
{
    bool stale = false;
    m_cache.update([&](QCborMap &root) {
        stale = !admitted();
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
    return !stale;
}

void ManagerReporting::forgetAchievements(const QString &player, const std::vector<Achievement> &achievements)
{
    m_cache.update([&](QCborMap &root) {
        QCborMap entry = root.value(player).toMap();
        for (const Achievement &a : achievements)
            entry.remove(a.identifier());
        root.insert(player, entry);
        return true;
    });
}

} // namespace kestrune
