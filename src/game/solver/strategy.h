#pragma once

#include "game/code/shot.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// A way of choosing the next shot in a game against a hidden code of four
// different digits 1-9, from the shots so far and their scores.
class Strategy
{
public:
    virtual ~Strategy() = default;

    // The code to try next, or nullopt when `history` names an invalid code or
    // an impossible result or no code agrees with it (CodeSpace::historyError
    // tells which). Strategies keep no state between games.
    virtual std::optional<std::string> nextShot(const std::vector<Shot> &history) = 0;
};

} // namespace kestrune
