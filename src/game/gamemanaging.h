#pragma once

#include "gamestate.h"
#include "rx/publishsubject.h"

#include <memory>
#include <string>
#include <vector>

namespace kestrune {

class GameProtocol;
class PlayerProtocol;

// A match as the screens see it.
class GameManaging
{
public:
    virtual ~GameManaging() = default;

    virtual const std::vector<std::shared_ptr<PlayerProtocol>> &players() const = 0;
    virtual std::vector<std::shared_ptr<GameProtocol>> games() const = 0;
    // Reading the codes draws those not drawn yet.
    virtual std::vector<std::string> codes() const = 0;
    virtual GameState gameState() const = 0;
    // The game whose turn it is.
    virtual std::shared_ptr<GameProtocol> currentGame() const = 0;
    // Every shot's match state; completes after the first decided one.
    virtual const rx::PublishSubject<GameState> &gameStateSubject() const = 0;
};

} // namespace kestrune
