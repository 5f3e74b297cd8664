#include "signinviewcontroller.h"

#include "localplayer.h"
#include "servicebackend.h"
#include "servicekit.h"

namespace kestrune {

void SignInViewController::submit(const QString &displayName, LocalPlayer::SignInCompletion completion)
{
    kit().localPlayer().signIn(displayName.trimmed(), std::move(completion));
}

void SignInViewController::recover(const QString &recoveryCode, LocalPlayer::SignInCompletion completion)
{
    kit().localPlayer().recoverAccount(recoveryCode, std::move(completion));
}

QString SignInViewController::serverAddress()
{
    return kit().backend().address();
}

void SignInViewController::cancel()
{
    kit().localPlayer().declineSignIn();
}

} // namespace kestrune
