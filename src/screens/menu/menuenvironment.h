#pragma once

#include <QSize>

#include <functional>

namespace kestrune {

class IdleTimer;
class KeyValueStore;
class MenuGameService;

// What the menu works with. Nothing is owned; each must outlive the menu.
struct MenuEnvironment
{
    const KeyValueStore *store = nullptr;   // the statistics; no games when null
    IdleTimer *idleTimer = nullptr;         // left alone when null
    MenuGameService *gameService = nullptr; // no game-service button and no sign-in when null
    bool uiTest = false;                    // launched with "UITest": the sign-in screen never shows
    // Called as the ring of modes opens, with the menu's size: the game
    // screen may be made ahead while the player chooses.
    std::function<void(QSize)> prepareGame;
};

} // namespace kestrune
