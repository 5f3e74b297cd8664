#pragma once

#include <QObject>
#include <QPointer>

class QBoxLayout;

namespace rx {
class DisposeBag;
class Scheduler;
} // namespace rx

namespace kestrune {

class BarButtonItem;
class Button;
class ComputerBoardView;
class GameState;
class GameView;
class GameViewController;
class KeyValueStore;

// The computer's side of a match against it on the game screen: its board
// (full beside the player's on a tablet, compact above it on a phone), its
// strength as a bar item that opens the choice of another, the question of
// the strength before the first such match, and its turn: a pause, then its
// shot. The screen owns it and tells it each match and each state. GUI
// thread only.
class ComputerMatch : public QObject
{
    Q_OBJECT

public:
    // The computer's pause before its shot, so that the player sees it come.
    static constexpr int shotDelayMs = 700;
    // The strength button's narrowest width, and the room around its word.
    static constexpr int minimumStrengthWidth = 76;
    static constexpr int strengthPadding = 16;

    // `beside` takes a tablet's board, `above` a phone's; the player plays on
    // `playerView`. The store may be null; it keeps the strength chosen.
    ComputerMatch(GameViewController &screen, GameView *playerView, QBoxLayout *beside, QBoxLayout *above,
                  KeyValueStore *store, rx::Scheduler &scheduler);
    ~ComputerMatch() override;

    // Shows the screen's new match against the computer; false when it is
    // not one (no strength, or no second game).
    bool showMatch();
    // The match turned into one without the computer: its board goes.
    void removeBoard();
    // Fits the full board's margins to the player's board beside it.
    void alignBoard();
    // A state of the match: the board's status, and the computer's shot on
    // its turn, deferred in `matchBag` so that it ends with the match.
    void handleState(const GameState &state, rx::DisposeBag &matchBag);
    // Once per screen, on a fresh match, while no strength was ever chosen.
    void askStrengthIfNeeded();
    // Opens the strength choice; a choice is remembered and starts a new match.
    void chooseStrength();
    // The strength item's title and whether it is open, for the match shown.
    void updateStrengthItem();

    ComputerBoardView *boardView() const;
    BarButtonItem *strengthItem() const;
    Button *strengthButton() const;

private:
    GameViewController &m_screen;
    GameView *m_playerView;
    QBoxLayout *m_beside;
    QBoxLayout *m_above;
    KeyValueStore *m_store;
    rx::Scheduler &m_scheduler;
    QPointer<ComputerBoardView> m_view;
    QPointer<BarButtonItem> m_strengthItem;
    QPointer<Button> m_strengthButton;
    bool m_strengthAsked = false;
};

} // namespace kestrune
