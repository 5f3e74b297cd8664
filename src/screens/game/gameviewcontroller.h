#pragma once

#include "computermatch.h"
#include "gamescreenenvironment.h"
#include "gametutorial.h"
#include "hintcontrol.h"
#include "navigationbaritem.h"
#include "playerturns.h"

#include "game/rx/disposebag.h"
#include "screens/navigation/viewcontroller.h"
#include "screens/outcome/resultviewcontrollerdelegate.h"

#include <QImage>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace Ui {
class GameViewController;
}

namespace kestrune {

class BarButtonItem;
class BoardPictures;
class Button;
class ComputerBoardView;
class FaceToFacePlay;
class GameBar;
class GameManaging;
class GameProtocol;
class GameState;
class GameView;
class HintButton;
class HintControl;
class TurnView;

// Where a match is played: one board and keypad per visible player, the
// clock of a single-player match or the turn of a two-player one, the
// hand-over of the device after each shot, the quit confirmation and the
// tutorial. Its parts: the bar's items (GameBar), simultaneous play face to
// face on a tablet (FaceToFacePlay), the computer's side of a match against
// it (ComputerMatch) and the boards' pictures (BoardPictures). When the
// match is decided it waits 1.5 s and performs the segue "result", handing
// over the MatchOutcome; the result screen starts the next match here
// through playAgain(). GUI thread only.
class GameViewController : public ViewController, public ResultViewControllerDelegate
{
    Q_OBJECT

public:
    static constexpr int outcomeDelayMs = 1500;
    static constexpr int tutorialDelayMs = GameTutorial::firstLaunchDelayMs;
    static constexpr double hintToastSeconds = HintControl::toastSeconds;
    static constexpr int computerShotDelayMs = ComputerMatch::shotDelayMs;

    explicit GameViewController(GameScreenEnvironment environment, QWidget *parent = nullptr);
    ~GameViewController() override;

    // 1 or 2; anything else is refused with a warning. Set before the screen
    // is pushed; a quick action may set it again and call setupGame().
    std::optional<std::int64_t> numberOfPlayers() const { return m_numberOfPlayers; }
    void setNumberOfPlayers(std::int64_t players);
    // A match against the computer: the player is player 1, the computer
    // player 2 at the remembered strength (normal until one is chosen). Set
    // before the screen is pushed, like the number of players. The player
    // keeps the device: the computer's board shows beside or above theirs and
    // it shoots after computerShotDelayMs; no hand-over, no face-to-face play.
    bool isAgainstComputer() const { return m_againstComputer; }
    void setAgainstComputer(bool on);

    // Starts a new match with numberOfPlayers (1 when unset). The previous
    // match's subscriptions, clock and deferred steps end with it.
    void setupGame();
    void playAgain() override;

    std::shared_ptr<GameManaging> gameManager() const { return m_gameManager; }
    // The visible boards: one, or two in simultaneous play (player 1's first).
    QList<GameView *> gameViews() const;
    bool isSimultaneous() const { return gameViews().size() > 1; }
    NavigationBarItem navigationBarItem() const;

    void home();
    // Leaving a match the players have shot in loses it: with any shot made,
    // the quit confirmation asks first, and "Quit" logs "quit_game" and runs
    // `leave`; without one, `leave` runs at once. The close item, the window
    // and the quick actions all leave through here.
    void confirmQuit(std::function<void()> leave);
    // Whether any player of the match has shot yet.
    bool hasShots() const;
    bool windowShouldClose(const std::function<void()> &close) override;
    void showTutorial() { m_tutorial->show(); }
    // Darkens every keypad one turn of the event loop later, after the
    // keypad that sent a shot has set its own buttons.
    void disableKeyboards();
    // Asks for a hint of a single-player match; when it arrives (at once, or
    // from another thread while the bulb shows it is busy) it is used up: the
    // codes left go to a toast and the suggested shot into the keypad, to
    // send or change. A press while one is being worked out does nothing.
    void showHint() { m_hints->show(); }
    // The H key: like the bulb, but the first hint of a match is asked for
    // first, since a key pressed by mistake would mark the match assisted.
    void requestHintByKey() { m_hints->requestByKey(); }
    void toggleSimultaneous();
    void setSimultaneous(bool on);
    // Accepts only a single orientation; any other mask changes nothing.
    void rotate(InterfaceOrientationMask mask);

    bool prefersStatusBarHidden() const override { return isSimultaneous(); }
    InterfaceOrientationMask supportedInterfaceOrientations() const override { return m_supportedOrientations; }

    // Opens the strength choice; a choice is remembered and starts a new match.
    void chooseStrength()
    {
        if (m_computer)
            m_computer->chooseStrength();
    }
    // The computer's board in a match against it: full beside the player's
    // on a tablet, compact above it on a phone; null in other matches.
    ComputerBoardView *computerBoardView() const;
    BarButtonItem *strengthItem() const;
    Button *strengthButton() const;
    // Every player's finished board, drawn afresh, in player order; those
    // prepared while the outcome showed are finished and taken as they are.
    QList<QImage> boardImages() const;
    // How many bands a board is drawn in while the outcome shows.
    static constexpr int snapshotBands = 4;

    QLabel *timerLabel() const;
    TurnView *turnView() const;
    Button *closeButton() const;
    Button *singleButton() const;
    // Present in a single-player match only.
    HintButton *hintButton() const;
    BarButtonItem *closeItem() const;
    BarButtonItem *simultaneousItem() const;
    // Opens the tutorial, as F1 and "?" do: the right item at the start of
    // a single-player match, a left item whenever the right one is taken.
    BarButtonItem *helpItem();

protected:
    void viewDidLoad() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupBindings();
    void showNavigationBarItem(NavigationBarItem item);
    void handleGameState(const GameState &state);
    void handleComputerMatchState(const GameState &state);
    // Hands the decided match over to the screen of the segue "result".
    void showOutcome();
    void prepareResult() const;
    // The number of the player whose game it is; 0 for a game of no player.
    std::int64_t playerNumber(const std::shared_ptr<GameProtocol> &game) const
    {
        return PlayerTurns::playerNumber(m_gameManager.get(), game);
    }
    void setIdleTimerDisabled(bool disabled);
    void configureLeftItems();
    void nameBoards() { m_turns->nameBoards(); }
    void setBackground(const QString &colour);
    void updateHintButton() { m_hints->updateButton(); }
    qreal snapshotPixelRatio() const;
    ToastAlert &toast() const;
    void showBottomViewIfNeeded();
    rx::Scheduler &scheduler() const;
    Ticker &ticker() const;

    std::unique_ptr<Ui::GameViewController> ui;
    GameScreenEnvironment m_environment;
    std::optional<std::int64_t> m_numberOfPlayers;
    bool m_againstComputer = false;
    std::shared_ptr<GameManaging> m_gameManager;
    std::unique_ptr<rx::DisposeBag> m_matchBag;
    rx::DisposeBag m_disposeBag;
    InterfaceOrientationMask m_supportedOrientations = InterfaceOrientation::portrait;

    GameView *m_firstView = nullptr;
    QWidget *m_bottomView = nullptr;
    GameBar *m_bar = nullptr;
    BoardPictures *m_pictures = nullptr;
    HintControl *m_hints = nullptr;
    GameTutorial *m_tutorial = nullptr;
    PlayerTurns *m_turns = nullptr;
    // Made with the first match that needs them.
    FaceToFacePlay *m_faceToFace = nullptr;
    // Face-to-face play left for the result, to take up again on return.
    bool m_seatAgain = false;
    std::unique_ptr<ComputerMatch> m_computer;
    bool m_idleTimerDisabled = false;
};

} // namespace kestrune
