#pragma once

#include "screens/menu/menugameservice.h"

namespace kestrune {

class GameServiceManager;

// The menu's view of the shared game-service manager, through the manager's
// delegate proxy (which it installs on first use).
class GameServiceMenuAdapter final : public MenuGameService
{
public:
    // The manager must outlive the adapter.
    explicit GameServiceMenuAdapter(GameServiceManager &manager);

    rx::Observable<bool> gameServiceAvailable() override;
    rx::Observable<std::shared_ptr<SignInViewController>> signInScreens() override;
    void presentSignIn(const std::shared_ptr<SignInViewController> &screen, QWidget *over) override;
    void presentAchievements(QWidget *over) override;

private:
    GameServiceManager &m_manager;
};

} // namespace kestrune
