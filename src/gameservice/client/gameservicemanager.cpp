// GameServiceManager: the shared instance, start-up, the delegate and its proxy.
#include "managerinternals.h"

#include "gameserviceavailabilitystate.h"
#include "gameservicemanagerdelegate.h"

#include "game/keyvaluestore.h"
#include "platform/dispatch/dispatchqueue.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicebackend.h"
#include "gameservice/kit/servicekit.h"

#include "gameserviceenvironment.h"

#include "platform/apppaths.h"
#include "platform/dispatch/serialqueue.h"
#include "platform/network/networkpathmonitor.h"

namespace kestrune {

using namespace managerinternals;

// -- creation ------------------------------------------------------------------

namespace {
std::mutex sharedMutex;
std::optional<GameServiceManager::Environment> sharedEnvironment;
std::once_flag sharedOnce;
GameServiceManager *sharedInstance = nullptr;
} // namespace

void GameServiceManager::setSharedEnvironment(Environment environment)
{
    std::lock_guard lock(sharedMutex);
    sharedEnvironment = std::move(environment);
}

GameServiceManager &GameServiceManager::sharedManager()
{
    std::call_once(sharedOnce, [] {
        std::optional<Environment> environment;
        {
            std::lock_guard lock(sharedMutex);
            environment.swap(sharedEnvironment);
        }
        if (!environment)
            environment = GameServiceEnvironment::local(AppPaths::dataFolder());
        // Lives as long as the process, like the service it speaks to.
        sharedInstance = new GameServiceManager(std::move(*environment));
    });
    return *sharedInstance;
}

GameServiceManager::GameServiceManager(Environment environment)
    : m_kit(std::move(environment.serviceKit))
    , m_defaults(std::move(environment.userDefaults))
    , m_pathMonitor(std::move(environment.pathMonitor))
    , m_monitorQueue(std::make_unique<SerialQueue>(environment.applicationIdentifier + QStringLiteral(".networkMonitor")))
    , m_cache(environment.homeFolder, environment.applicationIdentifier + QStringLiteral(".cache"))
    , m_life(std::make_shared<Life>())
    , m_delegate(std::make_shared<DelegateSlot>())
    , m_needsNetwork(!m_kit || m_kit->backend().needsNetwork())
{
    Q_ASSERT(m_defaults);
    m_delegate->owner = this;

    // Only a service that needs the network has the network watched: the
    // local one does not, and the watch would load the system's network
    // backend at start and wake the process while it idles.
    if (m_pathMonitor && m_kit && m_needsNetwork) {
        m_pathMonitor->setQueue(m_monitorQueue.get());
        m_pathMonitor->setUpdateHandler([this](NetworkPathMonitor::Status status) {
            networkChanged(status == NetworkPathMonitor::Status::Satisfied);
        });
        m_pathMonitor->start();
    }

    // What runs next is decided below, once the flags are read; the check
    // must not start a synchronisation of its own.
    const bool networkAtCheck = serviceReachable();
    const bool available = checkAvailability(true, false);

    {
        std::lock_guard lock(m_defaultsMutex);
        m_defaults->synchronize();
        for (const QString &key : {scoresSyncedKey(), achievementsSyncedKey()}) {
            if (!m_defaults->contains(key.toStdString()))
                m_defaults->setBoolean(key.toStdString(), false);
        }
        m_defaults->synchronize();
    }

    if (available) {
        m_gameServiceAvailable = true;
        if (flag(scoresSyncedKey()) && flag(achievementsSyncedKey()))
            reportSavedScoresAndAchievements();
        else
            syncGameService();
    } else {
        m_gameServiceAvailable = false;
    }

    // A network that came up after the first check and before now has not
    // been acted on yet.
    bool missed = false;
    {
        std::lock_guard lock(m_startMutex);
        m_started = true;
        missed = m_networkCameBackEarly && !networkAtCheck;
    }
    if (missed)
        networkCameBack();
}

GameServiceManager::~GameServiceManager()
{
    if (m_pathMonitor) {
        m_pathMonitor->setUpdateHandler({});
        m_pathMonitor->setQueue(nullptr);
    }
    m_monitorQueue->waitForIdle(); // reports already queued still write the flag
    // Let the answers under way land (a failed report still reaches the cache).
    if (m_kit)
        m_kit->waitForIdle();
    {
        std::unique_lock lock(m_life->mutex);
        m_life->alive = false;
    }
    if (m_kit)
        m_kit->localPlayer().setAuthenticateHandler({});
    std::lock_guard lock(m_delegate->mutex);
    m_delegate->owner = nullptr;
}

// -- delegate ------------------------------------------------------------------

std::shared_ptr<GameServiceManagerDelegate> GameServiceManager::delegate() const
{
    std::lock_guard lock(m_delegate->mutex);
    return m_delegate->delegate.lock();
}

void GameServiceManager::setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate)
{
    std::lock_guard lock(m_delegate->mutex);
    m_delegate->delegate = std::move(delegate);
}

void GameServiceManager::notifyOnMain(DelegateCall call) const
{
    DispatchQueue::main([slot = m_delegate, call = std::move(call)] { slot->deliver(call); });
}

void GameServiceManager::notifyNow(const DelegateCall &call) const
{
    m_delegate->deliver(call);
}

void GameServiceManager::sendError(const ServiceError &error) const
{
    notifyOnMain([error](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, error); });
}

std::shared_ptr<GameServiceDelegateProxy> GameServiceManager::delegateProxy() const
{
    std::lock_guard lock(m_proxyMutex);
    return m_delegateProxy;
}

void GameServiceManager::setDelegateProxy(std::shared_ptr<GameServiceDelegateProxy> proxy)
{
    std::shared_ptr<GameServiceDelegateProxy> previous; // released outside the lock
    std::lock_guard lock(m_proxyMutex);
    previous = std::exchange(m_delegateProxy, std::move(proxy));
}

} // namespace kestrune
