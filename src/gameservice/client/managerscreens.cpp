// GameServiceManager's service screens, challenges and the local player.
#include "managerscreens.h"

#include "gameservicemanager.h"
#include "gameservicemanagerdelegate.h"
#include "manageravailability.h"
#include "managerinternals.h"

#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"

namespace kestrune {

using namespace managerinternals;

ManagerScreens::ManagerScreens(std::shared_ptr<ServiceKit> kit, ManagerAvailability &availability,
                               DelegateChannel channel, std::shared_ptr<ChallengeInPlaySlot> challengeInPlay)
    : m_kit(std::move(kit))
    , m_availability(availability)
    , m_channel(std::move(channel))
    , m_challengeInPlay(std::move(challengeInPlay))
{
}

void ManagerScreens::present(QWidget *presenter, GameServiceViewController::ViewState viewState,
                             const std::optional<QString> &leaderboard)
{
    if (!m_kit)
        return; // no framework, no screens
    auto screen = std::make_shared<GameServiceViewController>(m_kit);
    screen->setViewState(viewState);
    if (leaderboard)
        screen->setLeaderboardIdentifier(*leaderboard);
    screen->setGameServiceDelegate(this);
    screen->present(presenter, true, [channel = m_channel] {
        channel.notifyOnMain([](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.gameServiceViewControllerPresented(m, true);
        });
    });
}

void ManagerScreens::gameServiceViewControllerDidFinish(GameServiceViewController &controller)
{
    controller.dismiss(true, [channel = m_channel] {
        channel.notifyOnMain([](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.gameServiceViewControllerDidFinish(m, true);
        });
    });
}

void ManagerScreens::gameServiceViewControllerWantsToPlay(GameServiceViewController &controller,
                                                          const Challenge &challenge)
{
    ChallengeInPlay chosen{challenge.issuingPlayerName, challenge.leaderboardIdentifier, challenge.score};
    // Held at once, so that no match can end between the tap and the start
    // without knowing what it was played against.
    m_challengeInPlay->set(chosen);
    controller.dismiss(true, [channel = m_channel, slot = m_challengeInPlay, chosen] {
        channel.notifyOnMain([](GameServiceManagerDelegate &d, GameServiceManager &m) {
            d.gameServiceViewControllerDidFinish(m, true);
        });
        slot->play(chosen);
    });
}

void ManagerScreens::gameServiceViewControllerDidSignOut(GameServiceViewController &controller)
{
    gameServiceViewControllerDidFinish(controller);
    m_availability.signOut();
}

void ManagerScreens::getChallenges(std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion)
{
    ServiceError own;
    if (!m_availability.check(false, true)) {
        own = ownError(ManagerScreens::tr("GameService Unavailable"), 2);
    } else if (!m_kit->hasChallenges()) {
        own = ownError(ManagerScreens::tr("Challenge class is not available. Challenges need a newer system version. "
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
    m_channel.notifyNow([own](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, own); });
}

QString ManagerScreens::localPlayerDisplayName() const
{
    if (LocalPlayer *player = localPlayerData())
        return player->displayName();
    return GameServiceManager::unknownPlayer;
}

LocalPlayer *ManagerScreens::localPlayerData() const
{
    if (m_availability.isAvailable() && m_kit && m_kit->localPlayer().isAuthenticated())
        return &m_kit->localPlayer();
    return nullptr;
}

void ManagerScreens::localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion)
{
    const ServiceError unavailable = ownError(ManagerScreens::tr("GameService Unavailable"), 2);
    auto sendNow = [&] {
        m_channel.notifyNow(
            [unavailable](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, unavailable); });
    };
    if (!m_availability.isAvailable()) {
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
                      [channel = m_channel, completion](std::optional<QByteArray> photo, OptionalError error) {
                          if (completion)
                              completion(std::move(photo));
                          if (error)
                              channel.sendError(*error);
                      });
}

} // namespace kestrune
