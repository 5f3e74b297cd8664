#include "playerturns.h"

#include "gameviewcontroller.h"

#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/gamestate.h"
#include "game/playerprotocol.h"
#include "game/rx/disposebag.h"
#include "game/rx/scheduler.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"

#include <chrono>

namespace kestrune {

PlayerTurns::PlayerTurns(GameViewController &screen, rx::Scheduler &scheduler, std::function<ToastAlert &()> toast)
    : QObject(&screen)
    , m_screen(screen)
    , m_scheduler(scheduler)
    , m_toast(std::move(toast))
{
}

PlayerTurns::~PlayerTurns() = default;

std::int64_t PlayerTurns::playerNumber(const GameManaging *match, const std::shared_ptr<GameProtocol> &game)
{
    if (!match || !game)
        return 0;
    for (const auto &player : match->players()) {
        if (player->game() == game)
            return player->number();
    }
    return 0;
}

void PlayerTurns::nameBoards()
{
    // With two players on one screen, or taking turns, a listener must know
    // whose board this is; alone, it is simply the board.
    const auto match = m_screen.gameManager();
    const bool twoPlayers = match && match->players().size() > 1 && !match->isAgainstComputer();
    for (GameView *view : m_screen.gameViews()) {
        const std::int64_t number = twoPlayers ? playerNumber(match.get(), view->boardView()->game()) : 0;
        view->boardView()->setAccessibleName(number > 0 ? tr("Player %1's board").arg(number) : tr("Board"));
    }
}

void PlayerTurns::handleState(const GameState &state, rx::DisposeBag &matchBag)
{
    const auto match = m_screen.gameManager();
    const QList<GameView *> views = m_screen.gameViews();
    if (!match || views.isEmpty())
        return;
    QPointer<GameView> firstView = views.first();
    const std::shared_ptr<GameProtocol> shownGame = firstView->boardView()->game();
    const std::shared_ptr<GameProtocol> currentGame = match->currentGame();

    const bool singlePlayer = match->players().size() == 1;
    if (!state.isPending()) {
        m_screen.disableKeyboards();
    } else if (singlePlayer) {
        // The same player goes on.
    } else if (!m_screen.isSimultaneous() && currentGame != shownGame) {
        m_screen.disableKeyboards();
    } else {
        for (GameView *view : views) {
            const auto game = view->boardView()->game();
            if (game && game->isEnded())
                view->keyboardView()->setButtonsEnabled(false);
        }
    }

    QPointer<PlayerTurns> self(this);
    m_scheduler
        .scheduleAfter(std::chrono::milliseconds(GameViewController::outcomeDelayMs),
                       [self, state, shownGame, currentGame, firstView] {
                           if (self)
                               self->complete(state, shownGame, currentGame, firstView);
                       })
        .disposed(matchBag);
}

void PlayerTurns::complete(const GameState &state, const std::shared_ptr<GameProtocol> &shownGame,
                           const std::shared_ptr<GameProtocol> &currentGame, QPointer<GameView> firstView)
{
    if (!state.isPending()) {
        emit decided();
        return;
    }
    if (m_screen.isSimultaneous() || currentGame == shownGame || !firstView || !currentGame)
        return;
    handOver(firstView, currentGame);
}

void PlayerTurns::handOver(GameView *view, const std::shared_ptr<GameProtocol> &currentGame)
{
    view->boardView()->setGame(currentGame);
    view->keyboardView()->updateButtons(true);
    nameBoards();

    const std::int64_t number = playerNumber(m_screen.gameManager().get(), currentGame);
    m_toast().showAlert(new ToastAlertView(
        tr("Pass your device\nto Player %1").arg(number),
        number == 1 ? QStringLiteral("Pass To Player 1") : QStringLiteral("Pass To Player 2"), true, 1.5));
    emit handedOver(number);
    view->boardView()->announce(tr("Player %1's turn").arg(number));
    view->keyboardView()->setFocus();
}

} // namespace kestrune
