#pragma once

#include <functional>
#include <string>

namespace kestrune {

class Analytics;
class Clock;
class GameServiceReporting;
class KeyValueStore;
class RandomSource;

// The collaborators of the rules, handed in by the application (or a test).
// None is owned; each must outlive the games and matches that use it.
struct GameEnvironment
{
    const Clock *clock = nullptr;                // the system clock when null
    GameServiceReporting *gameService = nullptr; // no leaderboard or achievements when null
    KeyValueStore *store = nullptr;              // no statistics when null
    Analytics *analytics = nullptr;              // no events when null
    std::function<std::string()> drawCode;       // a fresh shuffled die when empty
    RandomSource *random = nullptr;              // the easy computer's guesses; the system's secure source when null
    // Runs the solver's longer work (hints, the hard computer's shots) on
    // another thread; its answer comes back to the GUI thread's loop. Inline,
    // answering at once, when empty.
    std::function<void(std::function<void()>)> background = nullptr;
};

} // namespace kestrune
