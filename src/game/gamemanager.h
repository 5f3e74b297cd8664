#pragma once

#include "gamedelegate.h"
#include "gameenvironment.h"
#include "gamemanaging.h"
#include "rx/disposebag.h"

#include <memory>

namespace kestrune {

// One match of one or two players: creates their games, folds the games'
// results into the match state, and keeps the books when a game ends
// (analytics always; statistics, leaderboard and achievements in single
// player). GUI thread only.
class GameManager final : public GameManaging, public GameDelegate
{
public:
    // Nothing (and no event logged) unless numberOfPlayers is 1 or 2.
    static std::unique_ptr<GameManager> create(int numberOfPlayers, GameEnvironment environment = {});
    ~GameManager() override;

    const std::vector<std::shared_ptr<PlayerProtocol>> &players() const override { return m_players; }
    std::vector<std::shared_ptr<GameProtocol>> games() const override;
    std::vector<std::string> codes() const override;
    GameState gameState() const override;
    std::shared_ptr<GameProtocol> currentGame() const override;
    const rx::PublishSubject<GameState> &gameStateSubject() const override { return m_gameStateSubject; }

    void gameDidWin(GameProtocol &game, std::int64_t points, double seconds) override;
    void gameDidLose(double seconds) override;
    int playerCount() const override { return static_cast<int>(m_players.size()); }

private:
    explicit GameManager(GameEnvironment environment);
    void handleResult();

    GameEnvironment m_environment;
    std::vector<std::shared_ptr<PlayerProtocol>> m_players;
    rx::PublishSubject<GameState> m_gameStateSubject;
    rx::DisposeBag m_disposeBag;
};

} // namespace kestrune
