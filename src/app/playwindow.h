#pragma once

#include "game/gameenvironment.h"
#include "game/gamemanager.h"
#include "game/rx/disposebag.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PlayWindow;
}

namespace kestrune {

class GameServiceManager;

// The program's window until the menu and game screens exist: a quotation
// over a single-player board and keypad, a line that tells how the game
// stands, and buttons for a new game and the service's achievements.
class PlayWindow : public QWidget
{
    Q_OBJECT

public:
    // The environment's collaborators must outlive the window; service may
    // be null (no achievements button).
    PlayWindow(GameEnvironment environment, GameServiceManager *service, QWidget *parent = nullptr);
    ~PlayWindow() override;

    // Ends the current match (unfinished games are simply dropped) and starts another.
    void newGame();
    const GameManaging &match() const { return *m_match; }
    QString statusText() const;

private:
    void showState(const GameState &state);
    void applyLook();

    std::unique_ptr<Ui::PlayWindow> ui;
    GameEnvironment m_environment;
    GameServiceManager *m_service;
    std::unique_ptr<GameManager> m_match;
    std::unique_ptr<rx::DisposeBag> m_matchBag;
};

} // namespace kestrune
