#pragma once

namespace kestrune {

class NavigationController;
class ScreenReserve;
struct GameScreenEnvironment;

// Which screen each segue of the program leads to: "singleplayer" and
// "multiplayer" to a new game screen, "result" to a new result screen,
// "statistics" to the statistics screen.
class SegueMap
{
public:
    // The environment must outlive the stack. Gives the reserve the game
    // screens come from, owned by the stack.
    static ScreenReserve *install(NavigationController &navigation, const GameScreenEnvironment &environment);

    SegueMap() = delete;
};

} // namespace kestrune
