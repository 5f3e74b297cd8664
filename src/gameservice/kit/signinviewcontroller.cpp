#include "signinviewcontroller.h"

#include "localplayer.h"
#include "servicekit.h"

namespace kestrune {

void SignInViewController::submit(const QString &displayName)
{
    kit().localPlayer().signIn(displayName.trimmed());
}

void SignInViewController::cancel()
{
    kit().localPlayer().declineSignIn();
}

} // namespace kestrune
