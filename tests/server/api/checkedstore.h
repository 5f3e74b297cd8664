#pragma once

#include "gameservice/server/store/store.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace kestrune::server::test {

// Wraps any Store: counts the writes that changed something (by what the
// call answered), so a test can check that a refused request wrote nothing;
// can be told to fail every call like a database that went away, or to take
// a while over each.
class CheckedStore final : public Store
{
public:
    explicit CheckedStore(Store &inner)
        : m_inner(inner)
    {
    }

    int writes() const { return m_writes; }
    void setFailing(bool failing) { m_failing = failing; }
    void setDelay(std::chrono::milliseconds delay) { m_delay = delay; }

    PlayerRecord createPlayer(const std::string &displayName, const std::string &tokenHash,
                              const std::string &recoveryHash, Millis now) override
    {
        ++m_writes;
        return read().createPlayer(displayName, tokenHash, recoveryHash, now);
    }
    std::optional<PlayerRecord> playerByToken(const std::string &tokenHash) override
    {
        return read().playerByToken(tokenHash);
    }
    std::optional<PlayerRecord> player(const std::string &playerId) override { return read().player(playerId); }
    bool renamePlayer(const std::string &playerId, const std::string &displayName) override
    {
        return counted(read().renamePlayer(playerId, displayName));
    }
    std::optional<PlayerRecord> recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                              const std::string &newRecoveryHash) override
    {
        return counted(read().recoverPlayer(recoveryHash, newTokenHash, newRecoveryHash));
    }
    ScoreOutcome reportScore(const ScoreReport &report) override
    {
        const ScoreOutcome outcome = read().reportScore(report);
        m_writes += outcome.duplicate ? 0 : 1;
        return outcome;
    }
    std::vector<RankedScore> topScores(const std::string &leaderboard, Scope scope, Millis now, int limit) override
    {
        return read().topScores(leaderboard, scope, now, limit);
    }
    std::optional<RankedScore> playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                           const std::string &playerId) override
    {
        return read().playerScore(leaderboard, scope, now, playerId);
    }
    std::vector<RankedScore> aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                          const std::string &playerId, int radius) override
    {
        return read().aroundPlayer(leaderboard, scope, now, playerId, radius);
    }
    std::int64_t entryCount(const std::string &leaderboard, Scope scope, Millis now) override
    {
        return read().entryCount(leaderboard, scope, now);
    }
    AchievementOutcome reportAchievement(const std::string &playerId, const std::string &achievement, double percent,
                                         Millis now) override
    {
        ++m_writes;
        return read().reportAchievement(playerId, achievement, percent, now);
    }
    std::vector<AchievementRecord> achievements(const std::string &playerId) override
    {
        return read().achievements(playerId);
    }
    void resetAchievements(const std::string &playerId) override
    {
        ++m_writes;
        read().resetAchievements(playerId);
    }
    ChallengeRecord sendChallenge(const ChallengeRecord &challenge) override
    {
        ++m_writes;
        return read().sendChallenge(challenge);
    }
    std::vector<ChallengeRecord> receivedChallenges(const std::string &playerId) override
    {
        return read().receivedChallenges(playerId);
    }
    bool dismissChallenge(const std::string &playerId, const std::string &challengeId) override
    {
        return counted(read().dismissChallenge(playerId, challengeId));
    }

private:
    Store &read()
    {
        std::this_thread::sleep_for(m_delay);
        if (m_failing)
            throw StoreError("checked store: SELECT on players failed: connection refused (token_hash 5e88...)");
        return m_inner;
    }
    template<typename Result> Result counted(Result result)
    {
        if (result)
            ++m_writes;
        return result;
    }

    Store &m_inner;
    std::atomic<int> m_writes{0};
    std::atomic<bool> m_failing{false};
    std::chrono::milliseconds m_delay{0};
};

} // namespace kestrune::server::test
