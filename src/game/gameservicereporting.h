#pragma once

#include <cstdint>
#include <string>

namespace kestrune {

// How a leaderboard ranks its scores (the service's numbers).
enum class SortOrder { higherIsBetter = 0, lowerIsBetter = 1 };

// What the rules need of the game-service client: read an achievement's
// progress and report achievements and leaderboard scores. The client sends
// at once or keeps them for later; either way these calls return at once and
// never fail. Called on the GUI thread.
class GameServiceReporting
{
public:
    virtual ~GameServiceReporting() = default;

    // The best known completion percentage of the local player, 0 when none.
    virtual double progressForAchievement(const std::string &identifier) = 0;

    virtual void saveAndReportAchievement(const std::string &identifier, double percentComplete,
                                          bool shouldDisplayNotification) = 0;

    virtual void saveAndReportScore(std::int64_t score, const std::string &leaderboard, SortOrder sortOrder) = 0;
};

} // namespace kestrune
