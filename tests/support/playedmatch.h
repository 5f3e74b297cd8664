#pragma once

#include "fakeclock.h"

#include "game/gameenvironment.h"
#include "game/gamemanager.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/playerprotocol.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kestrune::test {

// Plays a real match to its end: each player's shots in turn, the clock
// moving `secondsPerShot` after each round.
inline std::shared_ptr<GameManaging> playedMatch(const std::vector<std::string> &codes,
                                                 const std::vector<std::vector<std::string>> &shots, FakeClock &clock,
                                                 double secondsPerShot)
{
    GameEnvironment environment;
    environment.clock = &clock;
    auto next = std::make_shared<std::size_t>(0);
    environment.drawCode = [codes, next] { return codes[(*next)++ % codes.size()]; };
    std::shared_ptr<GameManaging> match = GameManager::create(int(codes.size()), environment);
    match->codes();
    for (std::size_t round = 0; match->gameState().isPending(); ++round) {
        for (std::size_t player = 0; player < shots.size(); ++player)
            match->players()[player]->game()->shot(shots[player][round]);
        clock.advance(secondsPerShot);
    }
    return match;
}

} // namespace kestrune::test
