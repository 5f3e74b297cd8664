#pragma once

namespace kestrune {

class NavigationController;
class ResultGameService;
class ScreenReserve;
struct GameScreenEnvironment;

// Which screen each segue of the program leads to, built from what the
// source hands over, so that screens need not know each other:
// "singleplayer", "multiplayer" and "computer" to a game screen of that
// match, "result" to a result screen of the MatchOutcome handed over,
// "statistics" to the statistics screen.
class SegueMap
{
public:
    // Where the game and result screens come from, owned by the stack.
    struct Reserves
    {
        ScreenReserve *games = nullptr;
        ScreenReserve *results = nullptr;
    };

    // The environment (and the result screens' game service, if any) must
    // outlive the stack.
    static Reserves install(NavigationController &navigation, const GameScreenEnvironment &environment,
                            ResultGameService *resultService = nullptr);

    SegueMap() = delete;
};

} // namespace kestrune
