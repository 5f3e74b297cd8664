#pragma once

#include "playerprotocol.h"

namespace kestrune {

class Player final : public PlayerProtocol
{
public:
    Player(std::shared_ptr<GameProtocol> game, std::int64_t number);

    const std::shared_ptr<GameProtocol> &game() const override { return m_game; }
    std::int64_t number() const override { return m_number; }

    // Same number and the very same game.
    friend bool operator==(const Player &a, const Player &b);

private:
    std::shared_ptr<GameProtocol> m_game;
    std::int64_t m_number;
};

} // namespace kestrune
