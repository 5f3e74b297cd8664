#pragma once

namespace kestrune {

class GameServiceViewController;
struct Challenge;

// Told by a service screen that the player is done with it; the receiver
// dismisses the screen. Called on the GUI thread.
class GameServiceControllerDelegate
{
public:
    virtual ~GameServiceControllerDelegate() = default;
    virtual void gameServiceViewControllerDidFinish(GameServiceViewController &controller) = 0;
    // The player asks to sign out from the screen; the receiver signs them
    // out, dismisses the screen and offers a sign-in again.
    virtual void gameServiceViewControllerDidSignOut(GameServiceViewController &controller) { (void)controller; }
    // The player wants to play a match against this received challenge; the
    // receiver dismisses the screen and starts one. Ignored by default.
    virtual void gameServiceViewControllerWantsToPlay(GameServiceViewController &controller, const Challenge &challenge)
    {
        (void)controller, (void)challenge;
    }
};

} // namespace kestrune
