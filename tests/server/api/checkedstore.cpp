#include "checkedstore.h"

#include <thread>

namespace kestrune::server::test {

CheckedStore::CheckedStore(Store &inner)
    : m_inner(inner)
{
}

Store &CheckedStore::read()
{
    std::this_thread::sleep_for(m_delay);
    if (m_failing)
        throw StoreError("checked store: SELECT on players failed: connection refused (token_hash 5e88...)");
    return m_inner;
}

template<typename Result> Result CheckedStore::counted(Result result)
{
    if (result)
        ++m_writes;
    return result;
}

PlayerRecord CheckedStore::createPlayer(const std::string &displayName, const std::string &tokenHash,
                                        const std::string &recoveryHash, Millis now)
{
    ++m_writes;
    return read().createPlayer(displayName, tokenHash, recoveryHash, now);
}

std::optional<PlayerRecord> CheckedStore::playerByToken(const std::string &tokenHash)
{
    return read().playerByToken(tokenHash);
}

std::optional<PlayerRecord> CheckedStore::player(const std::string &playerId)
{
    return read().player(playerId);
}

bool CheckedStore::renamePlayer(const std::string &playerId, const std::string &displayName)
{
    return counted(read().renamePlayer(playerId, displayName));
}

std::optional<PlayerRecord> CheckedStore::recoverPlayer(const std::string &recoveryHash,
                                                        const std::string &newTokenHash,
                                                        const std::string &newRecoveryHash)
{
    return counted(read().recoverPlayer(recoveryHash, newTokenHash, newRecoveryHash));
}

ScoreOutcome CheckedStore::reportScore(const ScoreReport &report)
{
    const ScoreOutcome outcome = read().reportScore(report);
    m_writes += outcome.duplicate ? 0 : 1;
    return outcome;
}

std::vector<RankedScore> CheckedStore::topScores(const std::string &leaderboard, Scope scope, Millis now, int limit)
{
    return read().topScores(leaderboard, scope, now, limit);
}

std::optional<RankedScore> CheckedStore::playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                                     const std::string &playerId)
{
    return read().playerScore(leaderboard, scope, now, playerId);
}

std::vector<RankedScore> CheckedStore::aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                                    const std::string &playerId, int radius)
{
    return read().aroundPlayer(leaderboard, scope, now, playerId, radius);
}

std::int64_t CheckedStore::entryCount(const std::string &leaderboard, Scope scope, Millis now)
{
    return read().entryCount(leaderboard, scope, now);
}

AchievementOutcome CheckedStore::reportAchievement(const std::string &playerId, const std::string &achievement,
                                                   double percent, Millis now)
{
    ++m_writes;
    return read().reportAchievement(playerId, achievement, percent, now);
}

std::vector<AchievementRecord> CheckedStore::achievements(const std::string &playerId)
{
    return read().achievements(playerId);
}

void CheckedStore::resetAchievements(const std::string &playerId)
{
    ++m_writes;
    read().resetAchievements(playerId);
}

ChallengeRecord CheckedStore::sendChallenge(const ChallengeRecord &challenge)
{
    ++m_writes;
    return read().sendChallenge(challenge);
}

std::vector<ChallengeRecord> CheckedStore::receivedChallenges(const std::string &playerId)
{
    return read().receivedChallenges(playerId);
}

bool CheckedStore::dismissChallenge(const std::string &playerId, const std::string &challengeId)
{
    return counted(read().dismissChallenge(playerId, challengeId));
}

} // namespace kestrune::server::test
