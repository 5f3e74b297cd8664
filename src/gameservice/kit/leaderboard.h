#pragma once

#include "score.h"

#include <QString>

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
    };

    friend bool operator==(const Leaderboard &, const Leaderboard &) = default;
};

} // namespace kestrune
