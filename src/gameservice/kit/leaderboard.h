#pragma once

#include "score.h"

#include <QString>

#include <cstdint>

#include <optional>
#include <vector>

namespace kestrune {

// A leaderboard the game has registered with the service.
struct Leaderboard
{
    QString identifier;
    QString title;

    // What a scores request for the local player brings back.
    struct Scores
    {
        std::vector<Score> scores;             // best first
        std::optional<Score> localPlayerScore; // the local player's best, if any
        std::int64_t playerCount = 0;          // players with a score; 0 when unknown
    };

    // Which scores a request brings: the best, or those around the local
    // player's; over all time, the current ISO week or the current day (UTC).
    enum class Scope { today, week, allTime };
    enum class Window { top, aroundMe };
    struct Query
    {
        Scope scope = Scope::allTime;
        Window window = Window::top;
        friend bool operator==(const Query &, const Query &) = default;
    };

    friend bool operator==(const Leaderboard &, const Leaderboard &) = default;
};

} // namespace kestrune
