#pragma once

#include "game/gameservicereporting.h"

#include <map>
#include <vector>

namespace kestrune::test {

// Stands in for the game-service client: remembers progress as the client's
// own store would, and records every report in order.
class RecordingGameService : public GameServiceReporting
{
public:
    struct AchievementReport
    {
        std::string identifier;
        double percent;
        bool notify;
        friend bool operator==(const AchievementReport &, const AchievementReport &) = default;
    };
    struct ScoreReport
    {
        std::int64_t score;
        std::string leaderboard;
        SortOrder sortOrder;
        friend bool operator==(const ScoreReport &, const ScoreReport &) = default;
    };

    double progressForAchievement(const std::string &identifier) override
    {
        auto it = progress.find(identifier);
        return it == progress.end() ? 0.0 : it->second;
    }
    void saveAndReportAchievement(const std::string &identifier, double percent, bool notify) override
    {
        achievements.push_back({identifier, percent, notify});
        if (percent > progress[identifier])
            progress[identifier] = percent;
    }
    void saveAndReportScore(std::int64_t score, const std::string &leaderboard, SortOrder sortOrder) override
    {
        scores.push_back({score, leaderboard, sortOrder});
    }

    std::map<std::string, double> progress;
    std::vector<AchievementReport> achievements;
    std::vector<ScoreReport> scores;
};

} // namespace kestrune::test
