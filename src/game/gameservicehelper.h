#pragma once

#include "achievementevent.h"

#include <string>

namespace kestrune {

class GameServiceReporting;

// The achievement rules: which achievements an event moves, and by how much.
class GameServiceHelper
{
public:
    static inline const std::string leaderboard = "sp_leaderboard";

    // Reports the achievements the event earns; one already at 100 is skipped.
    static void report(GameServiceReporting &service, AchievementEvent event);

    GameServiceHelper() = delete;
};

} // namespace kestrune
