#include "gameservicemenuadapter.h"

#include "gameservice/client/gameservicedelegateproxy.h"
#include "gameservice/client/gameservicemanager.h"
#include "gameservice/kit/signinviewcontroller.h"

namespace kestrune {

GameServiceMenuAdapter::GameServiceMenuAdapter(GameServiceManager &manager)
    : m_manager(manager)
{
}

rx::Observable<bool> GameServiceMenuAdapter::gameServiceAvailable()
{
    return GameServiceDelegateProxy::gameServiceAvailable(m_manager);
}

rx::Observable<std::shared_ptr<SignInViewController>> GameServiceMenuAdapter::signInScreens()
{
    return GameServiceDelegateProxy::proxy(m_manager)->authenticateUserSubject.asObservable();
}

void GameServiceMenuAdapter::presentSignIn(const std::shared_ptr<SignInViewController> &screen, QWidget *over)
{
    if (screen)
        screen->present(over, true, {});
}

void GameServiceMenuAdapter::presentAchievements(QWidget *over)
{
    m_manager.presentAchievementsOnViewController(over);
}

} // namespace kestrune
