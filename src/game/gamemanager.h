#pragma once

#include "gamedelegate.h"
#include "gameenvironment.h"
#include "gamemanaging.h"
#include "rx/disposebag.h"

#include <memory>

namespace kestrune {

class Strategy;

// One match of one or two players, or of one player against the computer:
// creates their games, folds the games' results into the match state, and
// keeps the books when a game ends (analytics for the players' games;
// statistics, leaderboard and achievements in single player, statistics
// alone once a hint was used; the record per strength against the
// computer). GUI thread only.
class GameManager final : public GameManaging, public GameDelegate
{
public:
    // Nothing (and no event logged) unless numberOfPlayers is 1 or 2.
    static std::unique_ptr<GameManager> create(int numberOfPlayers, GameEnvironment environment = {});
    // Player 2 is the computer: its own code, shots chosen at `strength`.
    static std::unique_ptr<GameManager> createAgainstComputer(ComputerStrength strength,
                                                              GameEnvironment environment = {});
    ~GameManager() override;

    const std::vector<std::shared_ptr<PlayerProtocol>> &players() const override { return m_players; }
    std::vector<std::shared_ptr<GameProtocol>> games() const override;
    std::vector<std::string> codes() const override;
    GameState gameState() const override;
    std::shared_ptr<GameProtocol> currentGame() const override;
    const rx::PublishSubject<GameState> &gameStateSubject() const override { return m_gameStateSubject; }

    static constexpr int hintsPerGame = 3;

    std::optional<ComputerStrength> computerStrength() const override { return m_computerStrength; }
    bool isComputerTurn() const override;
    std::optional<Result> playComputerShot() override;
    int hintsLeft() const override;
    int hintsUsed() const override { return m_hintsUsed; }
    std::optional<Hint> takeHint() override;

    void gameDidWin(GameProtocol &game, std::int64_t points, double seconds) override;
    void gameDidLose(double seconds) override;
    int playerCount() const override { return static_cast<int>(m_players.size()); }
    bool reportsAchievements() const override { return m_players.size() == 1 && !isAssisted(); }

private:
    explicit GameManager(GameEnvironment environment);
    static std::unique_ptr<GameManager> make(int numberOfPlayers, GameEnvironment environment,
                                             std::optional<ComputerStrength> computer);
    void handleResult();
    void recordComputerMatch(const GameState &state);

    GameEnvironment m_environment;
    std::vector<std::shared_ptr<PlayerProtocol>> m_players;
    rx::PublishSubject<GameState> m_gameStateSubject;
    rx::DisposeBag m_disposeBag;
    std::optional<ComputerStrength> m_computerStrength;
    std::shared_ptr<Strategy> m_computerStrategy;
    bool m_computerMatchRecorded = false;
    int m_hintsUsed = 0;
};

} // namespace kestrune
