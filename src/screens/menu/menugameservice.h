#pragma once

#include "game/rx/observable.h"

#include <memory>

class QWidget;

namespace kestrune {

class SignInViewController;

// The little of the game service the menu needs: whether it is available,
// the sign-in screens it hands over, and its screens to present. Tests hand
// in a fake; the program a GameServiceMenuAdapter.
class MenuGameService
{
public:
    virtual ~MenuGameService() = default;

    // true while a player is signed in and the service answers. May emit on
    // any thread.
    virtual rx::Observable<bool> gameServiceAvailable() = 0;
    // Every sign-in screen the service wants shown. May emit on any thread.
    virtual rx::Observable<std::shared_ptr<SignInViewController>> signInScreens() = 0;
    // Shows a sign-in screen over the widget's window. GUI thread.
    virtual void presentSignIn(const std::shared_ptr<SignInViewController> &screen, QWidget *over) = 0;
    // Shows the achievements screen over the widget's window. GUI thread.
    virtual void presentAchievements(QWidget *over) = 0;
};

} // namespace kestrune
