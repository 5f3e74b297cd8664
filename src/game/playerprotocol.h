#pragma once

#include <cstdint>
#include <memory>

namespace kestrune {

class GameProtocol;

// A player of a match: its number (1 or 2, the order of creation) and game.
class PlayerProtocol
{
public:
    virtual ~PlayerProtocol() = default;
    virtual const std::shared_ptr<GameProtocol> &game() const = 0;
    virtual std::int64_t number() const = 0;
};

} // namespace kestrune
