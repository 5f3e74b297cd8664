// GameServiceManager: availability, the network, the player and the synchronisation flags.
#include "managerinternals.h"

#include "gameserviceavailabilitystate.h"
#include "gameservicemanagerdelegate.h"

#include "game/keyvaluestore.h"
#include "platform/dispatch/dispatchqueue.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/serialqueue.h"
#include "gameservice/kit/signinviewcontroller.h"

namespace kestrune {

using namespace managerinternals;

namespace {
int state(GameServiceAvailabilityState s)
{
    return static_cast<int>(s);
}
} // namespace

// -- availability --------------------------------------------------------------

bool GameServiceManager::enterState(int s)
{
    // One atomic exchange: of several threads entering the same state, exactly
    // one sees the change and announces it.
    return m_previousAvailability.exchange(s) != s;
}

bool GameServiceManager::checkGameServiceAvailability(bool argument)
{
    return checkAvailability(argument, true);
}

bool GameServiceManager::serviceReachable() const
{
    return !m_needsNetwork || m_internetAvailable.load();
}

void GameServiceManager::networkChanged(bool reachable)
{
    const bool wasReachable = m_internetAvailable.exchange(reachable);
    // A service that needs no network saw no change.
    if (!reachable || wasReachable || !m_needsNetwork)
        return;
    {
        // Before the constructor's own check has run its course, that check
        // decides; the constructor catches up on what it missed.
        std::lock_guard lock(m_startMutex);
        if (!m_started) {
            m_networkCameBackEarly = true;
            return;
        }
    }
    networkCameBack();
}

void GameServiceManager::networkCameBack()
{
    // Back online: what waited in the cache goes out now (a synchronisation
    // first, then the drain), and a player nobody asked yet can be asked to
    // sign in. Off the monitor's queue, which only tracks reachability.
    DispatchQueue::global(guarded([this] {
        if (m_gameServiceAvailable.load())
            syncGameService();
        else
            checkGameServiceAvailability(false);
    }));
}

bool GameServiceManager::checkAvailability(bool argument, bool startSync)
{
    using S = GameServiceAvailabilityState;
    auto announce = [](S s) {
        return [dictionary = availabilityDictionary(s)](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.availabilityChanged(m, dictionary);
        };
    };

    if (!m_kit) {
        if (enterState(state(S::unavailable)))
            notifyOnMain(announce(S::unavailable));
        return false;
    }
    if (!serviceReachable()) {
        if (enterState(state(S::internetUnavailable)))
            notifyOnMain(announce(S::internetUnavailable));
        return false;
    }

    LocalPlayer &player = m_kit->localPlayer();
    // Read, and notAuthenticated entered, before the handler goes in: the
    // service may answer on another thread at once, and its answer (noPlayer
    // or available) must not be overtaken by this check's older view.
    const bool authenticated = player.isAuthenticated();
    if (!authenticated && enterState(state(S::notAuthenticated)))
        notifyNow(announce(S::notAuthenticated));
    player.setAuthenticateHandler(guarded([this, argument](std::shared_ptr<SignInViewController> screen,
                                                           OptionalError error) {
        authenticationAnswered(screen, error, argument);
    }));
    if (!authenticated)
        return false;
    if (enterState(state(S::available))) {
        // Before the flag below: while it is still false these are the flags
        // of "unknownPlayer".
        setFlags(localPlayerId(), false, false);
        notifyOnMain(announce(S::available));
        m_gameServiceAvailable = true;
        adoptUnknownPlayer();
        // The synchronisation ends by sending what the cache holds, so
        // nothing earned offline waits for another start of the program.
        if (startSync)
            syncGameService();
    }
    return true;
}

void GameServiceManager::authenticationAnswered(const std::shared_ptr<SignInViewController> &screen,
                                                const OptionalError &error, bool argument)
{
    if (screen) {
        if (enterState(state(GameServiceAvailabilityState::noPlayer))) {
            notifyOnMain([screen, dictionary = availabilityDictionary(GameServiceAvailabilityState::noPlayer)](
                             GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.availabilityChanged(m, dictionary);
                d.authenticateUser(m, screen);
            });
        }
        return;
    }
    if (!error)
        checkGameServiceAvailability(argument);
}

QString GameServiceManager::localPlayerId() const
{
    if (m_gameServiceAvailable.load() && m_kit) {
        if (const auto id = m_kit->localPlayer().playerID())
            return *id;
    }
    return unknownPlayer;
}

QString GameServiceManager::scoresSyncedKey() const
{
    return QStringLiteral("scoresSynced") + localPlayerId();
}

QString GameServiceManager::achievementsSyncedKey() const
{
    return QStringLiteral("achievementsSynced") + localPlayerId();
}

bool GameServiceManager::flag(const QString &key) const
{
    std::lock_guard lock(m_defaultsMutex);
    return m_defaults->boolean(key.toStdString()).value_or(false);
}

void GameServiceManager::setFlags(const QString &player, std::optional<bool> scores, std::optional<bool> achievements)
{
    std::lock_guard lock(m_defaultsMutex);
    if (scores)
        m_defaults->setBoolean((QStringLiteral("scoresSynced") + player).toStdString(), *scores);
    if (achievements)
        m_defaults->setBoolean((QStringLiteral("achievementsSynced") + player).toStdString(), *achievements);
    m_defaults->synchronize();
}

} // namespace kestrune
