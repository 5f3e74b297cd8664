#pragma once

#include "challengeinplay.h"
#include "delegatechannel.h"

#include "gameservice/kit/challenge.h"
#include "gameservice/kit/gameservicecontrollerdelegate.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/serviceerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace kestrune {

class LocalPlayer;
class ManagerAvailability;
class ServiceKit;

// GameServiceManager's service screens, challenges and local player. It has
// no state of its own beyond what it is given, and no lock.
class ManagerScreens final : public GameServiceControllerDelegate
{
    Q_DECLARE_TR_FUNCTIONS(ManagerScreens)

public:
    ManagerScreens(std::shared_ptr<ServiceKit> kit, ManagerAvailability &availability, DelegateChannel channel,
                   std::shared_ptr<ChallengeInPlaySlot> challengeInPlay);

    // GUI thread.
    void present(QWidget *presenter, GameServiceViewController::ViewState viewState,
                 const std::optional<QString> &leaderboard);
    void gameServiceViewControllerDidFinish(GameServiceViewController &controller) override;
    void gameServiceViewControllerDidSignOut(GameServiceViewController &controller) override;
    // Dismisses the screen, then holds the challenge and starts its match.
    void gameServiceViewControllerWantsToPlay(GameServiceViewController &controller,
                                              const Challenge &challenge) override;

    void getChallenges(std::function<void(std::optional<std::vector<Challenge>>, OptionalError)> completion);
    QString localPlayerDisplayName() const;
    LocalPlayer *localPlayerData() const;
    void localPlayerPhoto(std::function<void(std::optional<QByteArray>)> completion);

private:
    std::shared_ptr<ServiceKit> m_kit;
    ManagerAvailability &m_availability;
    DelegateChannel m_channel;
    std::shared_ptr<ChallengeInPlaySlot> m_challengeInPlay;
};

} // namespace kestrune
