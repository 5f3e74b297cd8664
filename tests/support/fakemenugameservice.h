#pragma once

#include "game/rx/publishsubject.h"
#include "screens/menu/menugameservice.h"

#include <QPointer>
#include <QWidget>

namespace kestrune::test {

// The menu's game service in the test's hand: it publishes availability and
// sign-in screens when told, and records what the menu asked it to show.
class FakeMenuGameService final : public MenuGameService
{
public:
    rx::Observable<bool> gameServiceAvailable() override { return available.asObservable(); }
    rx::Observable<std::shared_ptr<SignInViewController>> signInScreens() override { return signIn.asObservable(); }
    void presentSignIn(const std::shared_ptr<SignInViewController> &, QWidget *over) override
    {
        signInPresentedOver.append(over);
    }
    void presentAchievements(QWidget *over) override { achievementsPresentedOver.append(over); }

    rx::PublishSubject<bool> available;
    rx::PublishSubject<std::shared_ptr<SignInViewController>> signIn;
    QList<QPointer<QWidget>> signInPresentedOver;
    QList<QPointer<QWidget>> achievementsPresentedOver;
};

} // namespace kestrune::test
