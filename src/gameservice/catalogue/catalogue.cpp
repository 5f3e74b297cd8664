#include "catalogue.h"

#include <algorithm>
#include <array>

namespace kestrune::catalogue {

namespace {

// A won single-player game earns 0 to 1000 points (0 after a very slow win).
constexpr std::array leaderboardList{
    LeaderboardDefinition{"sp_leaderboard", "Single player", 0, 1000, true},
};

constexpr std::array achievementList{
    AchievementDefinition{"1won", "First Break", "Break your first code in a single-player game."},
    AchievementDefinition{"50won", "Codebreaker", "Win 50 single-player games."},
    AchievementDefinition{"100won", "Cipher Centurion", "Win 100 single-player games."},
    AchievementDefinition{"50games", "Regular", "Play 50 single-player games, won or lost."},
    AchievementDefinition{"100games", "Devoted", "Play 100 single-player games, won or lost."},
    AchievementDefinition{"lucky_beggar", "Blind Luck", "Break the code with your very first shot."},
    AchievementDefinition{"really_fast", "Quick Thinker", "Break a code within 20 seconds of your first shot."},
    AchievementDefinition{"really_stubborn", "Stubborn Streak", "Fire the same shot twice in a row."},
};

template<typename List>
auto find(const List &list, std::string_view identifier) -> decltype(&list[0])
{
    auto it = std::find_if(list.begin(), list.end(), [&](const auto &d) { return d.identifier == identifier; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

std::span<const LeaderboardDefinition> leaderboards()
{
    return leaderboardList;
}

std::span<const AchievementDefinition> achievements()
{
    return achievementList;
}

const LeaderboardDefinition *findLeaderboard(std::string_view identifier)
{
    return find(leaderboardList, identifier);
}

const AchievementDefinition *findAchievement(std::string_view identifier)
{
    return find(achievementList, identifier);
}

} // namespace kestrune::catalogue
