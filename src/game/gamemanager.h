#pragma once

#include "gamedelegate.h"
#include "gameenvironment.h"
#include "gamemanaging.h"
#include "rx/disposebag.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace kestrune {

class Strategy;

// One match of one or two players, or of one player against the computer:
// creates their games, folds the games' results into the match state, and
// keeps the books when a game ends (analytics for the players' games;
// statistics, leaderboard and achievements in single player, statistics
// alone once a hint was used; the record per strength against the
// computer). Hints and the hard computer's shots are worked out through the
// environment's background runner; their answers come back to the GUI thread
// and are dropped when the match has gone or moved on. GUI thread only.
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
    rx::Disposable prepareComputerShot(std::function<void()> ready) override;
    std::optional<Result> playComputerShot() override;
    int hintsLeft() const override;
    int hintsUsed() const override { return m_hintsUsed; }
    rx::Disposable requestHint(std::function<void(std::optional<Hint>)> answer) override;
    bool isHintPending() const override { return static_cast<bool>(m_hintAnswer); }

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
    // Runs `work` through the environment's background runner and `then`
    // with its result on the GUI thread, unless this manager has gone.
    template<class Answer> void solve(std::function<Answer()> work, std::function<void(Answer)> then);
    void startHint();
    void deliverHint(std::size_t shotsAsked, std::optional<Hint> hint);

    GameEnvironment m_environment;
    std::vector<std::shared_ptr<PlayerProtocol>> m_players;
    rx::PublishSubject<GameState> m_gameStateSubject;
    rx::DisposeBag m_disposeBag;
    std::optional<ComputerStrength> m_computerStrength;
    std::shared_ptr<Strategy> m_computerStrategy;
    bool m_computerMatchRecorded = false;
    // The computer's shot worked out ahead, for the turn after that many shots.
    std::optional<std::pair<std::size_t, std::string>> m_preparedShot;
    std::function<void()> m_computerReady;
    unsigned m_computerRequest = 0;
    int m_hintsUsed = 0;
    std::function<void(std::optional<Hint>)> m_hintAnswer; // set while a hint is worked out
    unsigned m_hintRequest = 0;
    // Answers from another thread check it before they touch this manager.
    std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};

} // namespace kestrune
