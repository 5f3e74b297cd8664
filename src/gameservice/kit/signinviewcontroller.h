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
    // Signs in with an account made elsewhere, by its recovery code.
    void recover(const QString &recoveryCode, LocalPlayer::SignInCompletion completion);
    // The server the account lives on; empty for a service on this machine.
    QString serverAddress();
    // The player declined to sign in.
    void cancel();
};

} // namespace kestrune
