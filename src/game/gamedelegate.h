#pragma once

#include <cstdint>

namespace kestrune {

class GameProtocol;

// Told by a game when it ends, before the result is published.
class GameDelegate
{
public:
    virtual ~GameDelegate() = default;

    virtual void gameDidWin(GameProtocol &game, std::int64_t points, double seconds) = 0;
    virtual void gameDidLose(double seconds) = 0;
    // The number of players of the match; 1 means single player.
    virtual int playerCount() const = 0;
    // Whether a game may earn achievements while it is played: only alone,
    // and (for a match that knows of hints) without help.
    virtual bool reportsAchievements() const { return playerCount() == 1; }
};

} // namespace kestrune
