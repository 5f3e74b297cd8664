#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// What the game has registered with its service, written once for both
// sides: the game's client shows it, the server refuses anything outside it.
// Plain C++ so that the server links it without the toolkit.
namespace kestrune::catalogue {

struct LeaderboardDefinition
{
    std::string_view identifier;
    std::string_view title;
    // Every score reported to the board lies in [minScore, maxScore].
    std::int64_t minScore;
    std::int64_t maxScore;
    bool higherIsBetter;
};

struct AchievementDefinition
{
    std::string_view identifier;
    std::string_view title;
    std::string_view description;
};

// In display order.
std::span<const LeaderboardDefinition> leaderboards();
std::span<const AchievementDefinition> achievements();

// Nothing when the identifier is not in the catalogue.
const LeaderboardDefinition *findLeaderboard(std::string_view identifier);
const AchievementDefinition *findAchievement(std::string_view identifier);

} // namespace kestrune::catalogue
