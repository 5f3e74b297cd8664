#pragma once

#include "scope.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrune::server {

struct PlayerRecord
{
    std::string id;
    std::string displayName;
};

// One row of a leaderboard in one scope: the player's best in it.
struct RankedScore
{
    std::int64_t rank = 0; // 1 is the best; equal values share a rank
    std::string playerId;
    std::string displayName;
    std::int64_t value = 0;
    Millis reportedAt = 0; // when that best was reported; earlier wins ties in order
};

struct ScoreReport
{
    std::string playerId;
    std::string leaderboard; // checked against the catalogue before it gets here
    std::int64_t value = 0;
    Millis at = 0;
    // Chosen by the client, unique per player: a report sent again (its answer
    // was lost) is recognised and not stored twice. Empty: no such check.
    std::string reportKey;
};

struct ScoreOutcome
{
    bool duplicate = false; // the report key was already stored; nothing changed
};

struct AchievementRecord
{
    std::string identifier;
    double percent = 0;
    Millis updatedAt = 0;
};

struct AchievementOutcome
{
    double percent = 0;         // what is stored now: the higher of old and new
    bool completedNow = false;  // this report took it to 100
};

struct ChallengeRecord
{
    std::string id;             // given by the store
    std::string fromPlayerId;
    std::string fromDisplayName; // filled when read
    std::string toPlayerId;
    std::string leaderboard;
    std::int64_t value = 0;     // the score to beat
    std::string message;
    Millis sentAt = 0;
};

// Every engine fails the same way: the database could not be reached or
// answered with an error. The request then fails as a whole; a store
// never leaves half of one operation written.
class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Where the server keeps its players, scores, achievements and challenges.
// Thread-safe: the server calls it from several threads at once. Secrets
// arrive already hashed; the store never sees a token. When a call returns,
// what it wrote is committed.
class Store
{
public:
    virtual ~Store() = default;

    // Accounts.
    virtual PlayerRecord createPlayer(const std::string &displayName, const std::string &tokenHash,
                                      const std::string &recoveryHash, Millis now)
        = 0;
    virtual std::optional<PlayerRecord> playerByToken(const std::string &tokenHash) = 0;
    virtual std::optional<PlayerRecord> player(const std::string &playerId) = 0;
    virtual bool renamePlayer(const std::string &playerId, const std::string &displayName) = 0;
    // Moves the account to whoever holds the recovery code: the old token
    // and code stop working, the new ones take their place.
    virtual std::optional<PlayerRecord> recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                                      const std::string &newRecoveryHash)
        = 0;

    // Scores. Reads take `now` to know which day and week are current.
    virtual ScoreOutcome reportScore(const ScoreReport &report) = 0;
    virtual std::vector<RankedScore> topScores(const std::string &leaderboard, Scope scope, Millis now, int limit) = 0;
    // The player's own row, nothing when the player has no score in scope.
    virtual std::optional<RankedScore> playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                                   const std::string &playerId)
        = 0;
    // Up to `radius` rows either side of the player's, the player's included,
    // best first; empty when the player has no score in scope.
    virtual std::vector<RankedScore> aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                                  const std::string &playerId, int radius)
        = 0;
    // How many players have a score in scope.
    virtual std::int64_t entryCount(const std::string &leaderboard, Scope scope, Millis now) = 0;

    // Achievements.
    virtual AchievementOutcome reportAchievement(const std::string &playerId, const std::string &achievement,
                                                 double percent, Millis now)
        = 0;
    virtual std::vector<AchievementRecord> achievements(const std::string &playerId) = 0;
    virtual void resetAchievements(const std::string &playerId) = 0;

    // Challenges. `sendChallenge` fills in the id and returns the record.
    virtual ChallengeRecord sendChallenge(const ChallengeRecord &challenge) = 0;
    virtual std::vector<ChallengeRecord> receivedChallenges(const std::string &playerId) = 0;
    // False when the challenge does not exist or was not sent to that player.
    virtual bool dismissChallenge(const std::string &playerId, const std::string &challengeId) = 0;
};

} // namespace kestrune::server
