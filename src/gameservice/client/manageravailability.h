#pragma once

#include "delegatechannel.h"

#include "gameservice/kit/serviceerror.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

namespace kestrune {

class ManagerLife;
class ServiceKit;
class SignInViewController;
class SyncFlags;

// GameServiceManager's availability: whether the service can be reached,
// whether the player is signed in, the state last announced, and the
// network's comings and goings.
//
// Any thread. Its state is atomic; its one lock (the start-up's) is a leaf.
class ManagerAvailability
{
public:
    // What becoming available or the network's return sets going in the other parts.
    class Listener
    {
    public:
        virtual void adoptUnknownPlayer() = 0;
        virtual void startSync() = 0;

    protected:
        ~Listener() = default;
    };

    ManagerAvailability(std::shared_ptr<ServiceKit> kit, SyncFlags &flags, DelegateChannel channel,
                        const ManagerLife &life, Listener &listener);

    // True exactly when the local player is authenticated and the service is
    // reachable. `startSync`: a change to available starts a synchronisation.
    bool check(bool argument, bool startSync);

    bool isAvailable() const { return m_available.load(); }
    // Set by the manager's start-up once the flags are read.
    void setAvailable(bool available) { m_available = available; }
    // Signs the player out of the service on this device, then checks
    // again (which offers a sign-in); a refusal goes to the delegate.
    void signOut();
    bool isInternetAvailable() const { return m_internetAvailable.load(); }
    int previousState() const { return m_previousState.load(); }
    // The service can be reached now: the network is up, or it needs none.
    bool serviceReachable() const;
    bool needsNetwork() const { return m_needsNetwork; }

    // The signed-in player's id while the service is available, otherwise
    // GameServiceManager::unknownPlayer.
    QString localPlayerId() const;

    // From the network monitor's queue.
    void networkChanged(bool reachable);
    // The start-up's own check has run its course; acts on a network that
    // came back during it and was not yet reachable at `reachableAtCheck`.
    void startFinished(bool reachableAtCheck);

private:
    bool enterState(int state);
    void networkCameBack();
    void authenticationAnswered(const std::shared_ptr<SignInViewController> &screen, const OptionalError &error,
                                bool argument);

    std::shared_ptr<ServiceKit> m_kit;
    SyncFlags &m_flags;
    DelegateChannel m_channel;
    const ManagerLife &m_life;
    Listener &m_listener;

    std::atomic<bool> m_available{false};
    std::atomic<bool> m_internetAvailable{false};
    // Fixed at construction: a service on this machine ignores the network.
    const bool m_needsNetwork;
    std::atomic<int> m_previousState{0};

    std::mutex m_startMutex;
    bool m_started = false;              // the start-up is done; under m_startMutex
    bool m_networkCameBackEarly = false; // under m_startMutex
};

} // namespace kestrune
