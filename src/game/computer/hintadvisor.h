#pragma once

#include "hint.h"

#include "game/code/shot.h"

#include <optional>
#include <vector>

namespace kestrune {

// Works out a hint for a game from its shots so far: the most telling shot
// among the codes that may still be the secret, so that sending it can win.
// Plain computation, a few milliseconds; safe on any thread.
class HintAdvisor
{
public:
    // Nothing when no code fits the shots (a history no real code can give).
    static std::optional<Hint> advise(const std::vector<Shot> &shots);

    HintAdvisor() = delete;
};

} // namespace kestrune
