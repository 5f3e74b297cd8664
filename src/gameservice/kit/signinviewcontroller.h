#pragma once

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

    // Signs in under the name (trimmed; must not be empty).
    void submit(const QString &displayName);
    // The player declined to sign in.
    void cancel();
};

} // namespace kestrune
