#pragma once

#include "clock.h"
#include "code/result.h"
#include "code/shot.h"
#include "rx/publishsubject.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrune {

class GameDelegate;

// One player's attempt at one secret code, as players and boards see it.
class GameProtocol
{
public:
    virtual ~GameProtocol() = default;

    // The four secret digits; drawn on the first read, the same ever after.
    virtual std::string code() const = 0;
    virtual const std::vector<Shot> &shots() const = 0;
    virtual bool isEnded() const = 0;
    virtual bool isWon() const = 0;
    virtual std::optional<Clock::TimePoint> gameStartDate() const = 0;
    virtual std::optional<Clock::TimePoint> gameEndDate() const = 0;
    // Every shot's result, then completion when the game ends.
    virtual const rx::PublishSubject<Result> &resultSubject() const = 0;
    // Seconds from the first scored shot to the end (or to now); 0 before.
    virtual double duration() const = 0;
    // Leaderboard points, 0 to 1000; absent until the game has ended.
    virtual std::optional<std::int64_t> points() const = 0;

    // The delegate is not owned; whoever sets it clears it before it goes.
    virtual GameDelegate *delegate() const = 0;
    virtual void setDelegate(GameDelegate *delegate) = 0;

    // Scores a shot of exactly four different digits 1-9. Anything else is
    // refused: no result, and nothing changes, not even after the end. After
    // the end a valid shot returns the last result and does nothing else.
    virtual std::optional<Result> shot(const std::string &code) = 0;
};

} // namespace kestrune
