#pragma once

#include "gameservicemanagerdelegate.h"

#include "game/rx/observable.h"
#include "game/rx/publishsubject.h"

#include <QVariant>

#include <memory>
#include <vector>

namespace kestrune {

class GameServiceManager;

// Turns the manager's delegate calls into streams. There is one proxy per
// manager: proxy() makes it on first request, installs it as the manager's
// delegate and leaves it in the manager's keeping. Calls it receives go on to
// the forward delegate, if one is set, after the streams have seen them.
class GameServiceDelegateProxy final : public GameServiceManagerDelegate
{
public:
    using Arguments = std::vector<QVariant>;

    static std::shared_ptr<GameServiceDelegateProxy> proxy(GameServiceManager &manager);

    // The availability stream: true for "GameService Available", false for
    // every other notification. Emits on the thread of the notification.
    static rx::Observable<bool> gameServiceAvailable(GameServiceManager &manager);

    // Completes authenticateUserSubject.
    ~GameServiceDelegateProxy() override;

    // Every sign-in screen the service hands over.
    rx::PublishSubject<std::shared_ptr<SignInViewController>> authenticateUserSubject;

    // The arguments of every availabilityChanged call (the manager's address
    // as a pointer, then the notification dictionary).
    rx::Observable<Arguments> availabilityChangedMessages() const { return m_availabilityMessages.asObservable(); }

    std::shared_ptr<GameServiceManagerDelegate> forwardToDelegate() const { return m_forward.lock(); }
    void setForwardToDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate) { m_forward = std::move(delegate); }

    void authenticateUser(GameServiceManager &manager, std::shared_ptr<SignInViewController> screen) override;
    void availabilityChanged(GameServiceManager &manager, const QVariantMap &dictionary) override;
    void error(GameServiceManager &manager, const ServiceError &error) override;
    void reportedScore(GameServiceManager &manager, const Score &score, const OptionalError &error) override;
    void reportedAchievement(GameServiceManager &manager, const Achievement &achievement,
                             const OptionalError &error) override;
    void didSaveAchievement(GameServiceManager &manager, const Achievement &achievement) override;
    void didSaveScore(GameServiceManager &manager, const Score &score) override;
    void gameServiceSynced(GameServiceManager &manager, bool synced) override;
    void gameServiceViewControllerPresented(GameServiceManager &manager, bool presented) override;
    void gameServiceViewControllerDidFinish(GameServiceManager &manager, bool finished) override;

private:
    GameServiceDelegateProxy() = default;

    rx::PublishSubject<Arguments> m_availabilityMessages;
    std::weak_ptr<GameServiceManagerDelegate> m_forward;
};

} // namespace kestrune
