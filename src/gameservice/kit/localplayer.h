#pragma once

#include "servicebackend.h"
#include "serviceerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <mutex>

#include <functional>
#include <memory>
#include <optional>

namespace kestrune {

class ServiceKit;
class SignInViewController;

// The player of this device as the service knows them. Readable from any
// thread.
//
// Authentication: installing a handler starts a sign-in attempt unless the
// player is already authenticated or an attempt is under way (the newest
// handler hears its outcome). The handler runs on a service thread with
// - a sign-in screen when nobody is signed in and the service offers one;
// - neither screen nor error once the player is authenticated;
// - an error when the attempt failed or the player declined; after declining,
//   every later installation hears the same error at once.
class LocalPlayer
{
    Q_DECLARE_TR_FUNCTIONS(LocalPlayer)

public:
    using AuthenticateHandler = std::function<void(std::shared_ptr<SignInViewController>, OptionalError)>;
    enum class PhotoSize { Small = 0, Normal = 1 };

    explicit LocalPlayer(ServiceKit &kit);

    // Nothing until authenticated.
    std::optional<QString> playerID() const;
    QString displayName() const;
    bool isAuthenticated() const;

    void setAuthenticateHandler(AuthenticateHandler handler);

    // The completion runs on a service thread with the image bytes, or
    // nothing when the player has none.
    void loadPhoto(PhotoSize size, std::function<void(std::optional<QByteArray>, OptionalError)> completion);

    // The player signed out on this device: nobody is authenticated until
    // the next attempt.
    void signOut();
    // The service no longer knows the player (their account moved to
    // another device): nobody is signed in, and the handler hears of a new
    // attempt at once (a sign-in screen). Service thread.
    void forgetLostPlayer();
    // The player asks to sign out: the service forgets them on this device
    // and nobody is authenticated until the next attempt. The completion (a
    // service thread) hears whether the service let go.
    void signOutOfService(std::function<void(OptionalError)> completion);

    // How a sign-in ended, on a service thread: an error, or none and the
    // account's recovery code when the service has one to show (once).
    using SignInCompletion = std::function<void(OptionalError error, QString recoveryCode)>;

    // What the sign-in screen asks for: a new player under a name, or an
    // account made elsewhere by its recovery code; at the place the player
    // chose when it is given ("" this machine, else a server's address).
    struct SignInRequest
    {
        QString displayName;
        QString recoveryCode; // set: the existing account rather than a new one
        std::optional<QString> place;
    };

    // Answers of the sign-in screen.
    void signIn(const QString &displayName, SignInCompletion completion = {});
    void signIn(SignInRequest request, SignInCompletion completion);
    void declineSignIn();

private:
    enum class Auth { Unresolved, Resolving, AwaitingSignIn, Declined, Authenticated };

    void resolve();
    void answer(std::shared_ptr<SignInViewController> screen, OptionalError error);

    ServiceKit &m_kit;
    mutable std::mutex m_mutex;
    Auth m_auth = Auth::Unresolved;
    AuthenticateHandler m_handler;
    QString m_playerID;
    QString m_displayName;
};

} // namespace kestrune
