#pragma once

#include "gameservice/server/store/store.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace kestrune::server::test {

// A Store in memory for the API's tests until a real engine takes its
// place: simple scans, one lock.
class MemoryStore final : public Store
{
public:
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
    struct Player
    {
        std::string name, tokenHash, recoveryHash;
    };
    std::vector<RankedScore> ranked(const std::string &leaderboard, Scope scope, Millis now) const;

    mutable std::mutex m_mutex;
    int m_nextId = 0;
    std::map<std::string, Player> m_players;
    std::vector<ScoreReport> m_scores;
    std::map<std::pair<std::string, std::string>, AchievementRecord> m_achievements;
    std::vector<ChallengeRecord> m_challenges;
};

// The store every API test runs on; one place to swap in a real engine.
std::unique_ptr<Store> makeStore();

} // namespace kestrune::server::test
