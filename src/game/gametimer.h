#pragma once

#include "gameprotocol.h"
#include "rx/observable.h"
#include "ticker.h"

#include <cstdint>
#include <memory>

namespace kestrune {

// The running clock of a game, in whole seconds.
class GameTimer
{
public:
    // A cold stream, started anew for each subscription. It ticks every second
    // on the ticker's thread: silent until the game's first shot, then the
    // counter, then the counter plus one, and so on; it completes on the first
    // tick after the game has ended or gone. The counter starts at the game's
    // duration at subscription, cut to whole seconds (0 before the first
    // shot), so the first element after the first shot is 0. Ending the
    // subscription stops the ticking.
    //
    // Subscribe on the game's (the GUI) thread: the game is read only there,
    // at subscription and through its results; a tick reads a locked copy of
    // what it needs. The game is held weakly; the ticker must outlive the
    // subscriptions.
    static rx::Observable<std::int64_t> stream(std::shared_ptr<GameProtocol> game, Ticker &ticker);

    GameTimer() = delete;
};

} // namespace kestrune
