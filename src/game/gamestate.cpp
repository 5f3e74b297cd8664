#include "gamestate.h"

namespace kestrune {

GameState::GameState(Kind kind)
    : m_kind(kind)
{
}

GameState GameState::won(std::vector<std::shared_ptr<PlayerProtocol>> winners)
{
    GameState s(Kind::won);
    s.m_winners = std::move(winners);
    return s;
}

GameState GameState::tie(std::vector<std::string> codes)
{
    GameState s(Kind::tie);
    s.m_codes = std::move(codes);
    return s;
}

GameState GameState::lost(std::vector<std::string> codes)
{
    GameState s(Kind::lost);
    s.m_codes = std::move(codes);
    return s;
}

GameState GameState::pending()
{
    return GameState(Kind::pending);
}

} // namespace kestrune
