#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QBoxLayout;
class QWidget;

namespace kestrune {

class Button;
class GameProtocol;
class GameView;
class UpsideDownView;

// Simultaneous play on a tablet, face to face: player 1's board turns to
// face across the table and stays live, player 2's board comes beside it,
// and two round buttons between them close the match or go back to one
// board. The game screen owns it and decides when to seat the players.
// GUI thread only.
class FaceToFacePlay : public QObject
{
    Q_OBJECT

public:
    static constexpr int roundButtonSide = 47;
    static constexpr int roundButtonOffset = 30;

    // The boards go into `stack`, a layout of `container`; the round buttons
    // float over `screen`, which also filters the second keypad's keys.
    FaceToFacePlay(GameView *firstView, QBoxLayout *stack, QWidget *container, QWidget *screen);
    ~FaceToFacePlay() override;

    bool isSeated() const { return !m_secondView.isNull(); }
    GameView *secondView() const;
    Button *closeButton() const;
    Button *singleButton() const;

    // Seats both players with the round buttons, each board showing its
    // player's game (player 1's first).
    void seat(const std::vector<std::shared_ptr<GameProtocol>> &games);
    // When the first board comes back upright: at once, or in the next
    // event. The end of a match takes the next event: clearing the table
    // already waits on the window system, and inside the turned view the
    // board is a window of its own, whose hints taking it out reads twice.
    enum class Return { now, later };
    // Back to the first board alone, for whoever has shot less (player 1
    // among equals); gives that player's game.
    std::shared_ptr<GameProtocol> unseat(const std::vector<std::shared_ptr<GameProtocol>> &games,
                                         Return when = Return::now);
    // Puts the first board back in the layout from the turned view leaving;
    // nothing when it is back already.
    void returnFirstView();
    // Centres the round buttons over the screen.
    void placeRoundButtons();

signals:
    void closeRequested();
    void oneBoardRequested();

private:
    Button *makeRoundButton(const QString &image, const QString &identifier, const QString &name);

    GameView *m_firstView;
    QBoxLayout *m_stack;
    QWidget *m_container;
    QWidget *m_screen;
    QPointer<GameView> m_secondView;
    QPointer<UpsideDownView> m_upsideDown;
    // Gone from the screen, still holding the first board until it returns.
    QPointer<UpsideDownView> m_leaving;
    QPointer<Button> m_closeButton;
    QPointer<Button> m_singleButton;
};

} // namespace kestrune
