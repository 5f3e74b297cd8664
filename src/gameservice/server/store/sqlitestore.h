#pragma once

#include "sqlitecheckpointer.h"
#include "sqlitereaderpool.h"
#include "sqlitewritequeue.h"
#include "store.h"

#include <memory>
#include <random>
#include <span>
#include <string>

namespace kestrune::server {

class SqliteConnection;

// The embedded engine: one SQLite file in WAL mode. Writes go through one
// connection, committed in groups (each call all or nothing, and committed
// when it returns); reads run at the same time on pooled read-only
// connections, each call on one snapshot. Ranks come from per-value player
// counts, so they cost the score range, not the number of players.
class SqliteStore final : public Store
{
public:
    // Opens or creates the file and brings its schema up to date.
    explicit SqliteStore(const std::string &path);
    ~SqliteStore() override;

    // How many transactions committed how many writes so far.
    SqliteWriteQueue::Counts writeCounts() const { return m_writes.counts(); }

    PlayerRecord createPlayer(const std::string &displayName, const std::string &tokenHash,
                              const std::string &recoveryHash, Millis now) override;
    std::optional<PlayerRecord> playerByToken(const std::string &tokenHash) override;
    std::optional<PlayerRecord> player(const std::string &playerId) override;
    bool renamePlayer(const std::string &playerId, const std::string &displayName) override;
    std::optional<PlayerRecord> recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                              const std::string &newRecoveryHash) override;

    ScoreOutcome reportScore(const ScoreReport &report) override;
    // Several reports as one write, all or nothing: for loading many at once.
    std::vector<ScoreOutcome> reportScores(std::span<const ScoreReport> reports);
    std::vector<RankedScore> topScores(const std::string &leaderboard, Scope scope, Millis now, int limit) override;
    std::optional<RankedScore> playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                           const std::string &playerId) override;
    std::vector<RankedScore> aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                          const std::string &playerId, int radius) override;
    std::int64_t entryCount(const std::string &leaderboard, Scope scope, Millis now) override;

    AchievementOutcome reportAchievement(const std::string &playerId, const std::string &achievement, double percent,
                                         Millis now) override;
    std::vector<AchievementRecord> achievements(const std::string &playerId) override;
    void resetAchievements(const std::string &playerId) override;

    ChallengeRecord sendChallenge(const ChallengeRecord &challenge) override;
    std::vector<ChallengeRecord> receivedChallenges(const std::string &playerId) override;
    bool dismissChallenge(const std::string &playerId, const std::string &challengeId) override;

private:
    // Runs `work` on the writer and returns once its transaction committed.
    template<typename Work> auto write(Work &&work);
    // Runs `work` on a pooled reader in one read transaction.
    template<typename Work> auto read(Work &&work);

    ScoreOutcome applyReport(SqliteConnection &db, const ScoreReport &report);
    std::string newId(char prefix); // inside a write

    std::unique_ptr<SqliteConnection> m_writer;
    SqliteWriteQueue m_writes;
    std::mt19937_64 m_random; // used by one write at a time
    SqliteReaderPool m_readers;
    std::unique_ptr<SqliteCheckpointer> m_checkpointer; // after the schema exists
};

} // namespace kestrune::server
