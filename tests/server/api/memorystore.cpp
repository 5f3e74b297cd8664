#include "memorystore.h"

#include <algorithm>
#include <cstdio>

namespace kestrune::server::test {

namespace {

std::string numberedId(char prefix, int number)
{
    char text[18];
    std::snprintf(text, sizeof text, "%c%016x", prefix, static_cast<unsigned>(number));
    return text;
}

} // namespace

std::unique_ptr<Store> makeStore()
{
    return std::make_unique<MemoryStore>();
}

PlayerRecord MemoryStore::createPlayer(const std::string &displayName, const std::string &tokenHash,
                                       const std::string &recoveryHash, Millis)
{
    const std::lock_guard lock(m_mutex);
    const std::string id = numberedId('K', ++m_nextId);
    m_players[id] = {displayName, tokenHash, recoveryHash};
    return {id, displayName};
}

std::optional<PlayerRecord> MemoryStore::playerByToken(const std::string &tokenHash)
{
    const std::lock_guard lock(m_mutex);
    for (const auto &[id, p] : m_players) {
        if (p.tokenHash == tokenHash)
            return PlayerRecord{id, p.name};
    }
    return std::nullopt;
}

std::optional<PlayerRecord> MemoryStore::player(const std::string &playerId)
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_players.find(playerId);
    return it == m_players.end() ? std::nullopt : std::optional(PlayerRecord{playerId, it->second.name});
}

bool MemoryStore::renamePlayer(const std::string &playerId, const std::string &displayName)
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_players.find(playerId);
    if (it == m_players.end())
        return false;
    it->second.name = displayName;
    return true;
}

std::optional<PlayerRecord> MemoryStore::recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                                       const std::string &newRecoveryHash)
{
    const std::lock_guard lock(m_mutex);
    for (auto &[id, p] : m_players) {
        if (p.recoveryHash == recoveryHash) {
            p.tokenHash = newTokenHash;
            p.recoveryHash = newRecoveryHash;
            return PlayerRecord{id, p.name};
        }
    }
    return std::nullopt;
}

ScoreOutcome MemoryStore::reportScore(const ScoreReport &report)
{
    const std::lock_guard lock(m_mutex);
    const bool duplicate =
        !report.reportKey.empty() && std::any_of(m_scores.begin(), m_scores.end(), [&](const ScoreReport &s) {
            return s.playerId == report.playerId && s.reportKey == report.reportKey;
        });
    if (!duplicate)
        m_scores.push_back(report);
    return {duplicate};
}

// Every player's best in the scope's current period, ranked: a scan, fine
// for a test double.
std::vector<RankedScore> MemoryStore::ranked(const std::string &leaderboard, Scope scope, Millis now) const
{
    std::map<std::string, RankedScore> best;
    for (const ScoreReport &s : m_scores) {
        if (s.leaderboard != leaderboard || periodOf(scope, s.at) != periodOf(scope, now))
            continue;
        auto [it, added] =
            best.try_emplace(s.playerId, RankedScore{0, s.playerId, m_players.at(s.playerId).name, s.value, s.at});
        if (!added && s.value > it->second.value)
            it->second.value = s.value, it->second.reportedAt = s.at;
    }
    std::vector<RankedScore> rows;
    for (auto &entry : best)
        rows.push_back(entry.second);
    std::sort(rows.begin(), rows.end(), [](const RankedScore &a, const RankedScore &b) {
        return std::tie(b.value, a.reportedAt, a.playerId) < std::tie(a.value, b.reportedAt, b.playerId);
    });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].rank =
            i > 0 && rows[i].value == rows[i - 1].value ? rows[i - 1].rank : static_cast<std::int64_t>(i + 1);
    return rows;
}

std::vector<RankedScore> MemoryStore::topScores(const std::string &leaderboard, Scope scope, Millis now, int limit)
{
    const std::lock_guard lock(m_mutex);
    auto rows = ranked(leaderboard, scope, now);
    rows.resize(std::min(rows.size(), static_cast<std::size_t>(limit)));
    return rows;
}

std::optional<RankedScore> MemoryStore::playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                                    const std::string &playerId)
{
    const auto rows = aroundPlayer(leaderboard, scope, now, playerId, 0);
    return rows.empty() ? std::nullopt : std::optional(rows.front());
}

std::vector<RankedScore> MemoryStore::aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                                   const std::string &playerId, int radius)
{
    const std::lock_guard lock(m_mutex);
    const auto rows = ranked(leaderboard, scope, now);
    const auto it =
        std::find_if(rows.begin(), rows.end(), [&](const RankedScore &r) { return r.playerId == playerId; });
    if (it == rows.end())
        return {};
    const auto first = it - std::min<std::ptrdiff_t>(radius, it - rows.begin());
    const auto last = it + std::min<std::ptrdiff_t>(radius + 1, rows.end() - it);
    return {first, last};
}

std::int64_t MemoryStore::entryCount(const std::string &leaderboard, Scope scope, Millis now)
{
    const std::lock_guard lock(m_mutex);
    return static_cast<std::int64_t>(ranked(leaderboard, scope, now).size());
}

AchievementOutcome MemoryStore::reportAchievement(const std::string &playerId, const std::string &achievement,
                                                  double percent, Millis now)
{
    const std::lock_guard lock(m_mutex);
    auto [it, added] = m_achievements.try_emplace({playerId, achievement}, AchievementRecord{achievement, 0, now});
    const double before = added ? 0.0 : it->second.percent;
    if (added || percent > before)
        it->second = {achievement, std::max(before, percent), now};
    return {it->second.percent, before < 100 && it->second.percent >= 100};
}

std::vector<AchievementRecord> MemoryStore::achievements(const std::string &playerId)
{
    const std::lock_guard lock(m_mutex);
    std::vector<AchievementRecord> records;
    for (const auto &[key, record] : m_achievements) {
        if (key.first == playerId)
            records.push_back(record);
    }
    return records;
}

void MemoryStore::resetAchievements(const std::string &playerId)
{
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_achievements, [&](const auto &entry) { return entry.first.first == playerId; });
}

ChallengeRecord MemoryStore::sendChallenge(const ChallengeRecord &challenge)
{
    const std::lock_guard lock(m_mutex);
    ChallengeRecord stored = challenge;
    stored.id = numberedId('C', ++m_nextId);
    m_challenges.push_back(stored);
    return stored;
}

std::vector<ChallengeRecord> MemoryStore::receivedChallenges(const std::string &playerId)
{
    const std::lock_guard lock(m_mutex);
    std::vector<ChallengeRecord> received;
    for (auto it = m_challenges.rbegin(); it != m_challenges.rend(); ++it) {
        if (it->toPlayerId == playerId) {
            received.push_back(*it);
            received.back().fromDisplayName = m_players.at(it->fromPlayerId).name;
        }
    }
    return received;
}

bool MemoryStore::dismissChallenge(const std::string &playerId, const std::string &challengeId)
{
    const std::lock_guard lock(m_mutex);
    return std::erase_if(m_challenges,
                         [&](const ChallengeRecord &c) { return c.id == challengeId && c.toPlayerId == playerId; })
           > 0;
}

} // namespace kestrune::server::test
