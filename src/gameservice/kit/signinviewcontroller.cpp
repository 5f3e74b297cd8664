#include "signinviewcontroller.h"

#include "localplayer.h"
#include "servicebackend.h"
#include "servicekit.h"

namespace kestrune {

void SignInViewController::submit(const QString &displayName, LocalPlayer::SignInCompletion completion)
{
    kit().localPlayer().signIn(displayName.trimmed(), std::move(completion));
}

void SignInViewController::submit(LocalPlayer::SignInRequest request, LocalPlayer::SignInCompletion completion)
{
    request.displayName = request.displayName.trimmed();
    kit().localPlayer().signIn(std::move(request), std::move(completion));
}

bool SignInViewController::offersPlaces()
{
    return kit().backend().canMove();
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
