#include "gameservicedelegateproxy.h"

#include "gameservicemanager.h"

#include <mutex>

#include <optional>

namespace kestrune {

namespace {
std::mutex creationMutex;
} // namespace

std::shared_ptr<GameServiceDelegateProxy> GameServiceDelegateProxy::proxy(GameServiceManager &manager)
{
    std::lock_guard lock(creationMutex);
    if (auto existing = manager.delegateProxy())
        return existing;
    std::shared_ptr<GameServiceDelegateProxy> made(new GameServiceDelegateProxy);
    made->setForwardToDelegate(manager.delegate());
    manager.setDelegateProxy(made);
    manager.setDelegate(made);
    return made;
}

rx::Observable<bool> GameServiceDelegateProxy::gameServiceAvailable(GameServiceManager &manager)
{
    return proxy(manager)
        ->availabilityChangedMessages()
        .map([](const Arguments &arguments) { return arguments.empty() ? QVariant() : arguments.back(); })
        .map([](const QVariant &last) -> std::optional<QVariantMap> {
            if (last.typeId() == QMetaType::QVariantMap)
                return last.toMap();
            return std::nullopt;
        })
        .flatMap([](const std::optional<QVariantMap> &dictionary) {
            return dictionary ? rx::Observable<QVariantMap>::just(*dictionary) : rx::Observable<QVariantMap>::empty();
        })
        .map([](const QVariantMap &dictionary) -> std::optional<QString> {
            const QVariant status = dictionary.value(QStringLiteral("status"));
            if (status.typeId() == QMetaType::QString)
                return status.toString();
            return std::nullopt;
        })
        .map([](const std::optional<QString> &status) { return status && *status == u"GameService Available"; });
}

GameServiceDelegateProxy::~GameServiceDelegateProxy()
{
    authenticateUserSubject.onCompleted();
}

void GameServiceDelegateProxy::authenticateUser(GameServiceManager &manager,
                                                std::shared_ptr<SignInViewController> screen)
{
    authenticateUserSubject.onNext(screen);
    if (auto forward = forwardToDelegate())
        forward->authenticateUser(manager, screen);
}

void GameServiceDelegateProxy::availabilityChanged(GameServiceManager &manager, const QVariantMap &dictionary)
{
    m_availabilityMessages.onNext({QVariant::fromValue(static_cast<void *>(&manager)), QVariant(dictionary)});
    if (auto forward = forwardToDelegate())
        forward->availabilityChanged(manager, dictionary);
}

void GameServiceDelegateProxy::error(GameServiceManager &manager, const ServiceError &error)
{
    if (auto forward = forwardToDelegate())
        forward->error(manager, error);
}

void GameServiceDelegateProxy::reportedScore(GameServiceManager &manager, const Score &score,
                                             const OptionalError &error)
{
    if (auto forward = forwardToDelegate())
        forward->reportedScore(manager, score, error);
}

void GameServiceDelegateProxy::reportedAchievement(GameServiceManager &manager, const Achievement &achievement,
                                                   const OptionalError &error)
{
    if (auto forward = forwardToDelegate())
        forward->reportedAchievement(manager, achievement, error);
}

void GameServiceDelegateProxy::didSaveAchievement(GameServiceManager &manager, const Achievement &achievement)
{
    if (auto forward = forwardToDelegate())
        forward->didSaveAchievement(manager, achievement);
}

void GameServiceDelegateProxy::didSaveScore(GameServiceManager &manager, const Score &score)
{
    if (auto forward = forwardToDelegate())
        forward->didSaveScore(manager, score);
}

void GameServiceDelegateProxy::gameServiceSynced(GameServiceManager &manager, bool synced)
{
    if (auto forward = forwardToDelegate())
        forward->gameServiceSynced(manager, synced);
}

void GameServiceDelegateProxy::gameServiceViewControllerPresented(GameServiceManager &manager, bool presented)
{
    if (auto forward = forwardToDelegate())
        forward->gameServiceViewControllerPresented(manager, presented);
}

void GameServiceDelegateProxy::gameServiceViewControllerDidFinish(GameServiceManager &manager, bool finished)
{
    if (auto forward = forwardToDelegate())
        forward->gameServiceViewControllerDidFinish(manager, finished);
}

} // namespace kestrune
