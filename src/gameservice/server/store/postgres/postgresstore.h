#pragma once

#include "gameservice/server/store/store.h"
#include "postgrespool.h"

#include <mutex>
#include <random>

namespace kestrune::server {

// The store on PostgreSQL, for more than one server process on one
// database: every call is one transaction; concurrent writers meet in row
// locks and upserts, not in this process, so several processes stay
// consistent. The schema is brought up to date when the store opens.
class PostgresStore : public Store
{
public:
    // `conninfo`: a libpq connection string or postgresql:// URI. Throws
    // StoreError when the database cannot be reached or migrated.
    explicit PostgresStore(const std::string &conninfo, int poolSize = 8);

    // How many schema steps this store applied when it opened (0 when
    // another had already done so).
    int migrationsApplied() const { return m_migrationsApplied; }

    PlayerRecord createPlayer(const std::string &displayName, const std::string &tokenHash,
                              const std::string &recoveryHash, Millis now) override;
    std::optional<PlayerRecord> playerByToken(const std::string &tokenHash) override;
    std::optional<PlayerRecord> player(const std::string &playerId) override;
    bool renamePlayer(const std::string &playerId, const std::string &displayName) override;
    std::optional<PlayerRecord> recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                              const std::string &newRecoveryHash) override;

    ScoreOutcome reportScore(const ScoreReport &report) override;
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
    enum class Mode { Single, Read, Write };

    template<typename Work> auto run(const char *what, Mode mode, Work &&work);
    std::string newId(char prefix);

    PostgresPool m_pool;
    int m_migrationsApplied = 0;
    std::mutex m_randomMutex;
    std::mt19937_64 m_random;
};

} // namespace kestrune::server
