#pragma once

#include "localplayer.h"
#include "serviceviewcontroller.h"

#include <QString>

namespace kestrune {

// The sign-in screen the service hands over when nobody is signed in. The
// screen asks for a player name and answers with submit() or cancel(); the
// local player's authenticate handler then hears the outcome. GUI thread.
class SignInViewController final : public ServiceViewController
{
public:
    using ServiceViewController::ServiceViewController;

    // Signs in under the name (trimmed; must not be empty); the completion
    // runs on a service thread.
    void submit(const QString &displayName, LocalPlayer::SignInCompletion completion = {});
    void submit(LocalPlayer::SignInRequest request, LocalPlayer::SignInCompletion completion);
    // The server the account lives on; empty for a service on this machine.
    QString serverAddress();
    // Whether the player may choose where the service lives (this machine
    // or a server) as they sign in.
    bool offersPlaces();
    // The player declined to sign in.
    void cancel();
};

} // namespace kestrune
