#pragma once

#include "gameservice/server/store/store.h"

#include <atomic>
#include <chrono>

namespace kestrune::server::test {

// Wraps any Store: counts the writes that changed something (by what the
// call answered), so a test can check that a refused request wrote nothing;
// can be told to fail every call like a database that went away, or to take
// a while over each.
class CheckedStore final : public Store
{
public:
    explicit CheckedStore(Store &inner);

    int writes() const { return m_writes; }
    void setFailing(bool failing) { m_failing = failing; }
    void setDelay(std::chrono::milliseconds delay) { m_delay = delay; }

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
    Store &read();
    template<typename Result> Result counted(Result result);

    Store &m_inner;
    std::atomic<int> m_writes{0};
    std::atomic<bool> m_failing{false};
    std::chrono::milliseconds m_delay{0};
};

} // namespace kestrune::server::test
