// GameServiceManager: the service screens, challenges and the local player.
#include "managerinternals.h"

#include "gameserviceavailabilitystate.h"
#include "gameservicemanagerdelegate.h"

#include "game/keyvaluestore.h"
#include "platform/dispatch/dispatchqueue.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/kit/gameserviceviewcontroller.h"

namespace kestrune {

using namespace managerinternals;

// -- service screens, challenges, local player -------------------------------------

void GameServiceManager::present(QWidget *presenter, GameServiceViewController::ViewState viewState,
                                 const std::optional<QString> &leaderboard)
{
    if (!m_kit)
        return; // no framework, no screens
    auto screen = std::make_shared<GameServiceViewController>(m_kit);
    screen->setViewState(viewState);
    if (leaderboard)
        screen->setLeaderboardIdentifier(*leaderboard);
    screen->setGameServiceDelegate(this);
    screen->present(presenter, true, [slot = m_delegate] {
        DispatchQueue::main([slot] {
            slot->deliver([](GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.gameServiceViewControllerPresented(m, true);
            });
        });
    });
}

void GameServiceManager::presentAchievementsOnViewController(QWidget *presenter)
{
    present(presenter, GameServiceViewController::ViewState::Achievements, std::nullopt);
}

void GameServiceManager::presentLeaderboardsOnViewController(QWidget *presenter,
                                                             const std::optional<QString> &leaderboard)
{
    present(presenter, GameServiceViewController::ViewState::Leaderboards, leaderboard);
}

void GameServiceManager::presentChallengesOnViewController(QWidget *presenter)
{
    present(presenter, GameServiceViewController::ViewState::Challenges, std::nullopt);
}

void GameServiceManager::gameServiceViewControllerDidFinish(GameServiceViewController &controller)
{
    controller.dismiss(true, [slot = m_delegate] {
        DispatchQueue::main([slot] {
            slot->deliver([](GameServiceManagerDelegate &d, GameServiceManager &m) {
                d.gameServiceViewControllerDidFinish(m, true);
            });
        });
    });
}

void GameServiceManager::getChallengesWithCompletion(
    std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion)
{
    ServiceError own;
    if (!checkGameServiceAvailability(false)) {
        own = ownError(QStringLiteral("GameService Unavailable"), 2);
    } else if (!m_kit->hasChallenges()) {
        own = ownError(QStringLiteral("Challenge class is not available. Challenges need a newer system version. "
                                      "Current system version: %1")
                           .arg(ServiceKit::systemVersion()),
                       3);
    } else {
        m_kit->loadReceivedChallenges([completion](std::vector<Challenge> challenges, OptionalError error) {
            if (completion)
                completion(error ? std::nullopt : std::optional(std::move(challenges)), error);
        });
        return;
    }
    notifyNow([own](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, own); });
}

QString GameServiceManager::localPlayerDisplayName() const
{
    if (LocalPlayer *player = localPlayerData())
        return player->displayName();
    return unknownPlayer;
}

LocalPlayer *GameServiceManager::localPlayerData() const
{
    if (m_gameServiceAvailable.load() && m_kit && m_kit->localPlayer().isAuthenticated())
        return &m_kit->localPlayer();
    return nullptr;
}

void GameServiceManager::localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion)
{
    const ServiceError unavailable = ownError(QStringLiteral("GameService Unavailable"), 2);
    auto sendNow = [&] {
        notifyNow([unavailable](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, unavailable); });
    };
    if (!m_gameServiceAvailable.load()) {
        sendNow();
        return;
    }
    LocalPlayer *player = localPlayerData();
    if (!player) {
        // Nobody to ask: answer now rather than leave the caller waiting.
        if (completion)
            completion(std::nullopt);
        sendNow();
        return;
    }
    player->loadPhoto(LocalPlayer::PhotoSize::Normal,
                      [slot = m_delegate, completion](std::optional<QByteArray> photo, OptionalError error) {
                          if (completion)
                              completion(std::move(photo));
                          if (error) {
                              DispatchQueue::main([slot, error] {
                                  slot->deliver([error](GameServiceManagerDelegate &d, GameServiceManager &m) {
                                      d.error(m, *error);
                                  });
                              });
                          }
                      });
}

} // namespace kestrune
