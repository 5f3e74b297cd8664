#pragma once

#include "game/gameenvironment.h"

#include <QSize>

#include <functional>

namespace rx {
class Scheduler;
}

namespace kestrune {

class IdleTimer;
class Ticker;
class ToastAlert;

// What the game screen works with besides the rules' own collaborators.
// Nothing is owned; each must outlive the screen. Tests hand in their own
// clock-free stand-ins.
struct GameScreenEnvironment
{
    GameEnvironment game;               // the matches' collaborators; its store also keeps the screen's flags
    rx::Scheduler *scheduler = nullptr; // the deferred steps (1.5 s, 1 s); the GUI thread's event loop when null
    Ticker *ticker = nullptr;           // the match clock's ticks; a worker thread when null
    IdleTimer *idleTimer = nullptr;     // the screen saver is left alone when null
    ToastAlert *toast = nullptr;        // the shared presenter when null
    // Asked, when a match is decided, to make the result screen ahead at
    // this size while the outcome shows; nothing is made ahead when empty.
    std::function<void(QSize)> prepareResult;
};

} // namespace kestrune
