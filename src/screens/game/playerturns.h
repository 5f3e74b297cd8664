#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

namespace rx {
class DisposeBag;
class Scheduler;
} // namespace rx

namespace kestrune {

class GameManaging;
class GameProtocol;
class GameState;
class GameView;
class GameViewController;
class ToastAlert;

// The players of a match without the computer, on one device: whose board is
// which, and the turns. After a shot the keypads go dark where it is not
// their player's turn; 1.5 s later either the match is decided, or the board
// and keypad go to the player whose turn it is, with a toast to pass the
// device. Face to face both boards stay, and only a finished player's keypad
// goes dark. GUI thread only.
class PlayerTurns : public QObject
{
    Q_OBJECT

public:
    PlayerTurns(GameViewController &screen, rx::Scheduler &scheduler, std::function<ToastAlert &()> toast);
    ~PlayerTurns() override;

    // The number of the player whose game it is; 0 for a game of no player.
    static std::int64_t playerNumber(const GameManaging *match, const std::shared_ptr<GameProtocol> &game);
    // Names each visible board by its player when two share the screen.
    void nameBoards();
    // A state of the screen's match; its deferred step goes with `matchBag`.
    void handleState(const GameState &state, rx::DisposeBag &matchBag);

signals:
    // 1.5 s after the shot that decided the match.
    void decided();
    // The board and keypad went to `player`.
    void handedOver(std::int64_t player);

private:
    void complete(const GameState &state, const std::shared_ptr<GameProtocol> &shownGame,
                  const std::shared_ptr<GameProtocol> &currentGame, QPointer<GameView> firstView);
    void handOver(GameView *view, const std::shared_ptr<GameProtocol> &currentGame);

    GameViewController &m_screen;
    rx::Scheduler &m_scheduler;
    std::function<ToastAlert &()> m_toast;
};

} // namespace kestrune
