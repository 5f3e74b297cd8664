#include "player.h"

namespace kestrune {

Player::Player(std::shared_ptr<GameProtocol> game, std::int64_t number)
    : m_game(std::move(game))
    , m_number(number)
{
}

bool operator==(const Player &a, const Player &b)
{
    return a.m_number == b.m_number && a.m_game == b.m_game;
}

} // namespace kestrune
