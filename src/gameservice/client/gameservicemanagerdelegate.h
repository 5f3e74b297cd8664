#pragma once

#include "gameservice/kit/achievement.h"
#include "gameservice/kit/score.h"
#include "gameservice/kit/serviceerror.h"

#include <QVariantMap>

#include <memory>

namespace kestrune {

class GameServiceManager;
class SignInViewController;

// Hears everything the game-service manager has to tell. Only
// authenticateUser() must be implemented; every other method is optional: a
// delegate that does not override one never hears of it (the call is
// dropped). Calls arrive on the GUI thread through its event loop, except
// where a method says otherwise; the first argument is always the manager.
class GameServiceManagerDelegate
{
public:
    virtual ~GameServiceManagerDelegate() = default;

    // The service asks for sign-in: present the screen.
    virtual void authenticateUser(GameServiceManager &manager, std::shared_ptr<SignInViewController> screen) = 0;

    // A state was entered (see availabilityDictionary). "Player not
    // Authenticated" arrives at once on the thread that ran the check.
    virtual void availabilityChanged(GameServiceManager &, const QVariantMap &) {}
    // An operation failed. The "GameService Unavailable" errors of challenges
    // and the player photo arrive at once on the caller's thread.
    virtual void error(GameServiceManager &, const ServiceError &) {}
    // A direct report finished; no error on success.
    virtual void reportedScore(GameServiceManager &, const Score &, const OptionalError &) {}
    virtual void reportedAchievement(GameServiceManager &, const Achievement &, const OptionalError &) {}
    // An item was kept in the cache to be sent later.
    virtual void didSaveAchievement(GameServiceManager &, const Achievement &) {}
    virtual void didSaveScore(GameServiceManager &, const Score &) {}
    // The synchronisation with the service has completed.
    virtual void gameServiceSynced(GameServiceManager &, bool) {}
    virtual void gameServiceViewControllerPresented(GameServiceManager &, bool) {}
    virtual void gameServiceViewControllerDidFinish(GameServiceManager &, bool) {}
};

} // namespace kestrune
