#include "localplayer.h"

#include "servicebackend.h"
#include "servicekit.h"
#include "signinviewcontroller.h"

namespace kestrune {

namespace {
ServiceError declined()
{
    return serviceKitError(ServiceErrorCode::cancelled, LocalPlayer::tr("The player declined to sign in."));
}
} // namespace

LocalPlayer::LocalPlayer(ServiceKit &kit)
    : m_kit(kit)
{
}

std::optional<QString> LocalPlayer::playerID() const
{
    std::lock_guard lock(m_mutex);
    if (m_auth != Auth::Authenticated)
        return std::nullopt;
    return m_playerID;
}

QString LocalPlayer::displayName() const
{
    std::lock_guard lock(m_mutex);
    return m_displayName;
}

bool LocalPlayer::isAuthenticated() const
{
    std::lock_guard lock(m_mutex);
    return m_auth == Auth::Authenticated;
}

void LocalPlayer::setAuthenticateHandler(AuthenticateHandler handler)
{
    Auth auth;
    {
        std::lock_guard lock(m_mutex);
        m_handler = std::move(handler);
        if (!m_handler)
            return;
        auth = m_auth;
        if (auth == Auth::Unresolved)
            m_auth = Auth::Resolving;
    }
    if (auth == Auth::Unresolved)
        m_kit.run([this] { resolve(); });
    else if (auth == Auth::Declined)
        m_kit.run([this] { answer(nullptr, declined()); });
}

void LocalPlayer::resolve()
{
    OptionalError error;
    const auto player = m_kit.backend().signedInPlayer(error);
    if (error) {
        {
            std::lock_guard lock(m_mutex);
            m_auth = Auth::Unresolved;
        }
        answer(nullptr, error);
    } else if (player) {
        {
            std::lock_guard lock(m_mutex);
            m_auth = Auth::Authenticated;
            m_playerID = player->playerID;
            m_displayName = player->displayName;
        }
        answer(nullptr, std::nullopt);
    } else if (auto kit = m_kit.weak_from_this().lock(); kit && m_kit.backend().offersSignIn()) {
        {
            std::lock_guard lock(m_mutex);
            m_auth = Auth::AwaitingSignIn;
        }
        answer(std::make_shared<SignInViewController>(std::move(kit)), std::nullopt);
    } else {
        {
            std::lock_guard lock(m_mutex);
            m_auth = Auth::Unresolved;
        }
        answer(nullptr,
               serviceKitError(ServiceErrorCode::notAuthenticated, LocalPlayer::tr("No player is signed in.")));
    }
}

void LocalPlayer::signIn(const QString &displayName, SignInCompletion completion)
{
    signIn(SignInRequest{displayName, {}, std::nullopt}, std::move(completion));
}

void LocalPlayer::signIn(SignInRequest request, SignInCompletion completion)
{
    m_kit.run([this, request = std::move(request), completion = std::move(completion)] {
        OptionalError error;
        ServiceBackend::Player player;
        ServiceBackend &backend = m_kit.backend();
        const bool recovering = !request.recoveryCode.trimmed().isEmpty();
        if (!recovering && request.displayName.isEmpty())
            error = serviceKitError(ServiceErrorCode::invalidParameter, LocalPlayer::tr("A player needs a name."));
        else if (request.place)
            backend.moveTo(*request.place, error);
        if (!error) {
            player = recovering ? backend.recoverAccount(request.recoveryCode.trimmed(), error)
                                : backend.signIn(request.displayName, error);
        }
        const QString recoveryCode = error ? QString() : backend.takeRecoveryCode();
        {
            std::lock_guard lock(m_mutex);
            if (error) {
                m_auth = Auth::Unresolved;
            } else {
                m_auth = Auth::Authenticated;
                m_playerID = player.playerID;
                m_displayName = player.displayName;
            }
        }
        // The screen first: it may still be open to show the code.
        if (completion)
            completion(error, recoveryCode);
        answer(nullptr, error);
    });
}

void LocalPlayer::signOut()
{
    std::lock_guard lock(m_mutex);
    m_auth = Auth::Unresolved;
    m_playerID.clear();
    m_displayName.clear();
}

void LocalPlayer::forgetLostPlayer()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_auth != Auth::Authenticated)
            return; // already let go, or an attempt is under way
        m_auth = Auth::Resolving;
        m_playerID.clear();
        m_displayName.clear();
    }
    resolve();
}

void LocalPlayer::signOutOfService(std::function<void(OptionalError)> completion)
{
    m_kit.run([this, completion = std::move(completion)] {
        OptionalError error;
        m_kit.backend().signOut(error);
        if (!error) {
            std::lock_guard lock(m_mutex);
            m_auth = Auth::Unresolved;
            m_playerID.clear();
            m_displayName.clear();
        }
        if (completion)
            completion(error);
    });
}

void LocalPlayer::declineSignIn()
{
    {
        std::lock_guard lock(m_mutex);
        m_auth = Auth::Declined;
    }
    m_kit.run([this] { answer(nullptr, declined()); });
}

void LocalPlayer::answer(std::shared_ptr<SignInViewController> screen, OptionalError error)
{
    AuthenticateHandler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    if (handler)
        handler(std::move(screen), std::move(error));
}

void LocalPlayer::loadPhoto(PhotoSize, std::function<void(std::optional<QByteArray>, OptionalError)> completion)
{
    m_kit.run([this, completion = std::move(completion)] {
        OptionalError error;
        std::optional<QByteArray> photo;
        if (const auto id = playerID())
            photo = m_kit.backend().loadPhoto(*id, error);
        else
            error = serviceKitError(ServiceErrorCode::notAuthenticated, LocalPlayer::tr("No player is signed in."));
        if (completion)
            completion(std::move(photo), std::move(error));
    });
}

} // namespace kestrune
