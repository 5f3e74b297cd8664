#pragma once

#include "servicebackend.h"
#include "serviceerror.h"

#include <QByteArray>
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

    // How a sign-in ended, on a service thread: an error, or none and the
    // account's recovery code when the service has one to show (once).
    using SignInCompletion = std::function<void(OptionalError error, QString recoveryCode)>;

    // Answers of the sign-in screen.
    void signIn(const QString &displayName, SignInCompletion completion = {});
    // Signs in with an account made elsewhere, by its recovery code.
    void recoverAccount(const QString &recoveryCode, SignInCompletion completion = {});
    void declineSignIn();

private:
    enum class Auth { Unresolved, Resolving, AwaitingSignIn, Declined, Authenticated };

    void resolve();
    // Signs in through `attempt` and tells the handler and the completion.
    void signInWith(std::function<ServiceBackend::Player(OptionalError &)> attempt, SignInCompletion completion);
    void answer(std::shared_ptr<SignInViewController> screen, OptionalError error);

    ServiceKit &m_kit;
    mutable std::mutex m_mutex;
    Auth m_auth = Auth::Unresolved;
    AuthenticateHandler m_handler;
    QString m_playerID;
    QString m_displayName;
};

} // namespace kestrune
