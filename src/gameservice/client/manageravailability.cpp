// GameServiceManager's availability, the network and the player.
#include "manageravailability.h"

#include "gameserviceavailabilitystate.h"
#include "gameservicemanager.h"
#include "gameservicemanagerdelegate.h"
#include "managerlife.h"
#include "syncflags.h"

#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicebackend.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "platform/dispatch/dispatchqueue.h"

namespace kestrune {

namespace {
int state(GameServiceAvailabilityState s)
{
    return static_cast<int>(s);
}
} // namespace

ManagerAvailability::ManagerAvailability(std::shared_ptr<ServiceKit> kit, SyncFlags &flags, DelegateChannel channel,
                                         const ManagerLife &life, Listener &listener)
    : m_kit(std::move(kit))
    , m_flags(flags)
    , m_channel(std::move(channel))
    , m_life(life)
    , m_listener(listener)
    , m_needsNetwork(!m_kit || m_kit->backend().needsNetwork())
{
}

bool ManagerAvailability::enterState(int s)
{
    // One atomic exchange: of several threads entering the same state, exactly
    // one sees the change and announces it.
    return m_previousState.exchange(s) != s;
}

bool ManagerAvailability::serviceReachable() const
{
    return !m_needsNetwork || m_internetAvailable.load();
}

void ManagerAvailability::networkChanged(bool reachable)
{
    const bool wasReachable = m_internetAvailable.exchange(reachable);
    // A service that needs no network saw no change.
    if (!reachable || wasReachable || !m_needsNetwork)
        return;
    {
        // Before the start-up's own check has run its course, that check
        // decides; the start-up catches up on what it missed.
        std::lock_guard lock(m_startMutex);
        if (!m_started) {
            m_networkCameBackEarly = true;
            return;
        }
    }
    networkCameBack();
}

void ManagerAvailability::startFinished(bool reachableAtCheck)
{
    bool missed = false;
    {
        std::lock_guard lock(m_startMutex);
        m_started = true;
        missed = m_networkCameBackEarly && !reachableAtCheck;
    }
    if (missed)
        networkCameBack();
}

void ManagerAvailability::networkCameBack()
{
    // Back online: what waited in the cache goes out now (a synchronisation
    // first, then the drain), and a player nobody asked yet can be asked to
    // sign in. Off the monitor's queue, which only tracks reachability.
    DispatchQueue::global(m_life.guard([this] {
        if (m_available.load())
            m_listener.startSync();
        else
            check(false, true);
    }));
}

bool ManagerAvailability::check(bool argument, bool startSync)
{
    using S = GameServiceAvailabilityState;
    auto announce = [](S s) {
        return [dictionary = availabilityDictionary(s)](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.availabilityChanged(m, dictionary);
        };
    };

    if (!m_kit) {
        if (enterState(state(S::unavailable)))
            m_channel.notifyOnMain(announce(S::unavailable));
        return false;
    }
    if (!serviceReachable()) {
        if (enterState(state(S::internetUnavailable)))
            m_channel.notifyOnMain(announce(S::internetUnavailable));
        return false;
    }

    LocalPlayer &player = m_kit->localPlayer();
    // Read, and notAuthenticated entered, before the handler goes in: the
    // service may answer on another thread at once, and its answer (noPlayer
    // or available) must not be overtaken by this check's older view.
    const bool authenticated = player.isAuthenticated();
    if (!authenticated && enterState(state(S::notAuthenticated)))
        m_channel.notifyNow(announce(S::notAuthenticated));
    player.setAuthenticateHandler(
        m_life.guard([this, argument](std::shared_ptr<SignInViewController> screen, OptionalError error) {
            authenticationAnswered(screen, error, argument);
        }));
    if (!authenticated)
        return false;
    if (enterState(state(S::available))) {
        // Before the flag below: while it is still false these are the flags
        // of "unknownPlayer".
        m_flags.set(localPlayerId(), false, false);
        m_channel.notifyOnMain(announce(S::available));
        m_available = true;
        m_listener.adoptUnknownPlayer();
        // The synchronisation ends by sending what the cache holds, so
        // nothing earned offline waits for another start of the program.
        if (startSync)
            m_listener.startSync();
    }
    return true;
}

void ManagerAvailability::authenticationAnswered(const std::shared_ptr<SignInViewController> &screen,
                                                 const OptionalError &error, bool argument)
{
    if (screen) {
        if (enterState(state(GameServiceAvailabilityState::noPlayer))) {
            m_channel.notifyOnMain(
                [screen, dictionary = availabilityDictionary(GameServiceAvailabilityState::noPlayer)](
                    GameServiceManagerDelegate &d, GameServiceManager &m) {
                    d.availabilityChanged(m, dictionary);
                    d.authenticateUser(m, screen);
                });
        }
        return;
    }
    if (!error)
        check(argument, true);
}

void ManagerAvailability::signOut()
{
    if (!m_kit)
        return;
    m_kit->localPlayer().signOutOfService(m_life.guard([this](OptionalError error) {
        if (error) {
            m_channel.sendError(*error);
            return;
        }
        setAvailable(false);
        check(false, true);
    }));
}

QString ManagerAvailability::localPlayerId() const
{
    if (m_available.load() && m_kit) {
        if (const auto id = m_kit->localPlayer().playerID())
            return *id;
    }
    return GameServiceManager::unknownPlayer;
}

} // namespace kestrune
