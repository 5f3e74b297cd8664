#include "quickaction.h"

#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/gamestate.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/navigationcontroller.h"
#include "views/widgets/promptdialog.h"

#include <QPointer>

#include <memory>

namespace kestrune {

std::optional<QuickAction> QuickAction::fromType(const QString &type)
{
    if (type == QLatin1String("singleplayer"))
        return QuickAction(Type::singlePlayer);
    if (type == QLatin1String("multiplayer"))
        return QuickAction(Type::twoPlayers);
    return std::nullopt;
}

QString QuickAction::typeName() const
{
    return m_type == Type::singlePlayer ? QStringLiteral("singleplayer") : QStringLiteral("multiplayer");
}

int QuickAction::numberOfPlayers() const
{
    return m_type == Type::singlePlayer ? 1 : 2;
}

QString QuickAction::segue() const
{
    return typeName();
}

namespace {

int s_pause = 0; // GUI thread only

// A match that some player has begun and nobody has finished: leaving it
// needs a yes. In face-to-face play player 2 may be the only one who shot.
bool hasRunningMatch(const GameViewController &screen)
{
    const auto manager = screen.gameManager();
    return manager && manager->gameState().isPending() && screen.hasShots();
}

} // namespace

void QuickAction::perform(const QString &type, NavigationController *navigation, rx::Scheduler &scheduler,
                          const std::function<void(bool)> &completion)
{
    const std::optional<QuickAction> action = fromType(type);
    if (!action || !navigation) {
        completion(false);
        return;
    }
    const int players = action->numberOfPlayers();

    if (auto *game = qobject_cast<GameViewController *>(navigation->topViewController())) {
        QPointer<GameViewController> screen(game);
        const auto restart = [screen, players] {
            if (!screen)
                return;
            screen->setAgainstComputer(false);
            screen->setNumberOfPlayers(players);
            screen->setupGame();
        };
        // The same question as the close item's; a decided match has nothing left to lose.
        if (hasRunningMatch(*game))
            game->confirmQuit(restart);
        else
            restart();
        completion(true);
        return;
    }

    NavigationController::setAnimationsEnabled(false);
    navigation->popViewController(false);
    const QList<ViewController *> stack = navigation->viewControllers();
    if (!stack.isEmpty() && navigation->topViewController() == stack.first())
        stack.first()->performSegue(action->segue());
    // Only the latest action's pause turns them back on, so a quick second
    // action is not cut short. The task keeps its own handle: some schedulers
    // drop a task whose handle nobody holds.
    const int pause = ++s_pause;
    auto handle = std::make_shared<rx::Disposable>();
    *handle = scheduler.scheduleAfter(animationPause, [pause, handle] {
        if (pause == s_pause)
            NavigationController::setAnimationsEnabled(true);
        *handle = rx::Disposable();
    });
    completion(true);
}

} // namespace kestrune
