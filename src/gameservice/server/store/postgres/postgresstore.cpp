#include "postgresstore.h"

#include "gameservice/catalogue/catalogue.h"
#include "postgreserror.h"
#include "postgresmigrations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace kestrune::server {

namespace {

// How the scopes are stored.
std::string scopeCode(Scope scope)
{
    switch (scope) {
    case Scope::Today:
        return "0";
    case Scope::Week:
        return "1";
    case Scope::AllTime:
        return "2";
    }
    return "2";
}

constexpr std::array allScopes{Scope::Today, Scope::Week, Scope::AllTime};

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

std::string number(double value)
{
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

std::string arrayOf(const std::vector<std::int64_t> &values)
{
    std::string text = "{";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i ? "," : "") + std::to_string(values[i]);
    return text + "}";
}

// Rows of player_id, display_name, value, reported_at.
RankedScore rankedAt(const PostgresResult &rows, int r)
{
    RankedScore s;
    s.playerId = rows.text(r, 0);
    s.displayName = rows.text(r, 1);
    s.value = rows.integer(r, 2);
    s.reportedAt = rows.integer(r, 3);
    return s;
}

// Best first; the player's id settles a tie of value and time.
bool before(const RankedScore &a, const RankedScore &b)
{
    return std::tie(b.value, a.reportedAt, a.playerId) < std::tie(a.value, b.reportedAt, b.playerId);
}

void rollback(PostgresConnection &connection) noexcept
{
    try {
        if (connection.connected())
            connection.command("ROLLBACK");
    } catch (const StoreError &) {
        // The connection is then not reusable and the pool closes it.
    }
}

// Locks the player's row for this transaction: one player's reports then
// take turns, so reading the old best and writing the new one cannot race.
void lockPlayer(PostgresConnection &c, const std::string &playerId)
{
    if (c.exec("SELECT 1 FROM players WHERE id = $1 FOR NO KEY UPDATE", {playerId}).rows() == 0)
        throw StoreError("no player " + playerId);
}

const char *const rowColumns = "b.player_id, p.display_name, b.value, b.reported_at";

} // namespace

PostgresStore::PostgresStore(const std::string &conninfo, int poolSize)
    : m_pool(conninfo, poolSize)
    , m_random(std::random_device{}())
{
    PostgresConnection connection(conninfo);
    m_migrationsApplied = PostgresMigrations::apply(connection);
}

// Runs `work` on a pooled connection as one transaction (Mode::Single: one
// statement, its own transaction). A deadlock or serialization failure runs
// it again; any other failure rolls back and throws StoreError naming `what`.
template<typename Work> auto PostgresStore::run(const char *what, Mode mode, Work &&work)
{
    constexpr int attempts = 5;
    for (int attempt = 1;; ++attempt) {
        auto connection = [&] {
            try {
                return m_pool.acquire();
            } catch (const StoreError &e) {
                throw StoreError(std::string(what) + ": " + e.what());
            }
        }();
        try {
            if (mode == Mode::Read)
                connection->command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
            else if (mode == Mode::Write)
                connection->command("BEGIN");
            auto result = work(*connection);
            if (mode != Mode::Single)
                connection->command("COMMIT");
            return result;
        } catch (const PostgresError &e) {
            if (mode != Mode::Single)
                rollback(*connection);
            if (e.retryable() && attempt < attempts)
                continue;
            throw PostgresError(std::string(what) + ": " + e.what(), e.sqlState(), e.constraint());
        } catch (const StoreError &e) {
            if (mode != Mode::Single)
                rollback(*connection);
            throw StoreError(std::string(what) + ": " + e.what());
        }
    }
}

std::string PostgresStore::newId(char prefix)
{
    std::uint64_t bits = 0;
    {
        std::lock_guard lock(m_randomMutex);
        bits = m_random();
    }
    std::array<char, 17> hex{};
    hex[0] = prefix;
    for (int i = 16; i >= 1; --i) {
        hex[i] = "0123456789abcdef"[bits & 0xf];
        bits >>= 4;
    }
    return std::string(hex.data(), hex.size());
}

PlayerRecord PostgresStore::createPlayer(const std::string &displayName, const std::string &tokenHash,
                                         const std::string &recoveryHash, Millis now)
{
    // A new id is drawn again in the unlikely case that it is taken.
    for (int attempt = 1;; ++attempt) {
        const std::string id = newId('K');
        try {
            run("createPlayer", Mode::Single, [&](PostgresConnection &c) {
                return c.exec("INSERT INTO players (id, display_name, token_hash, recovery_hash, created_at) "
                              "VALUES ($1, $2, $3, $4, $5)",
                              {id, displayName, tokenHash, recoveryHash, number(now)});
            });
            return {id, displayName};
        } catch (const PostgresError &e) {
            if (!(e.uniqueViolation() && e.constraint() == "players_pkey") || attempt == 5)
                throw;
        }
    }
}

std::optional<PlayerRecord> PostgresStore::playerByToken(const std::string &tokenHash)
{
    return run("playerByToken", Mode::Single, [&](PostgresConnection &c) -> std::optional<PlayerRecord> {
        const auto rows = c.exec("SELECT id, display_name FROM players WHERE token_hash = $1", {tokenHash});
        if (rows.rows() == 0)
            return std::nullopt;
        return PlayerRecord{rows.text(0, 0), rows.text(0, 1)};
    });
}

std::optional<PlayerRecord> PostgresStore::player(const std::string &playerId)
{
    return run("player", Mode::Single, [&](PostgresConnection &c) -> std::optional<PlayerRecord> {
        const auto rows = c.exec("SELECT id, display_name FROM players WHERE id = $1", {playerId});
        if (rows.rows() == 0)
            return std::nullopt;
        return PlayerRecord{rows.text(0, 0), rows.text(0, 1)};
    });
}

bool PostgresStore::renamePlayer(const std::string &playerId, const std::string &displayName)
{
    return run("renamePlayer", Mode::Single, [&](PostgresConnection &c) {
        return c.exec("UPDATE players SET display_name = $2 WHERE id = $1", {playerId, displayName}).affected() == 1;
    });
}

std::optional<PlayerRecord> PostgresStore::recoverPlayer(const std::string &recoveryHash,
                                                         const std::string &newTokenHash,
                                                         const std::string &newRecoveryHash)
{
    // One statement: of two recoveries with one code at once, the second
    // finds the code already replaced.
    return run("recoverPlayer", Mode::Single, [&](PostgresConnection &c) -> std::optional<PlayerRecord> {
        const auto rows = c.exec("UPDATE players SET token_hash = $2, recovery_hash = $3 WHERE recovery_hash = $1 "
                                 "RETURNING id, display_name",
                                 {recoveryHash, newTokenHash, newRecoveryHash});
        if (rows.rows() == 0)
            return std::nullopt;
        return PlayerRecord{rows.text(0, 0), rows.text(0, 1)};
    });
}

ScoreOutcome PostgresStore::reportScore(const ScoreReport &report)
{
    if (const auto *board = catalogue::findLeaderboard(report.leaderboard); board && !board->higherIsBetter) {
        throw StoreError("reportScore: leaderboard " + report.leaderboard
                         + " ranks lower scores first, which this store does not support");
    }
    std::array<std::int64_t, 3> periods{};
    for (std::size_t s = 0; s < allScopes.size(); ++s)
        periods[s] = periodOf(allScopes[s], report.at);

    return run("reportScore", Mode::Write, [&](PostgresConnection &c) {
        lockPlayer(c, report.playerId);
        // Keeping the report and reading the old bests in one round trip
        // (after the lock, so the bests read are current); a row of scope
        // -1 says the report was kept, not a duplicate.
        const auto rows =
            c.exec("WITH kept AS (INSERT INTO scores (player_id, leaderboard, value, reported_at, report_key) "
                   "VALUES ($1, $2, $3, $4, NULLIF($5, '')) "
                   "ON CONFLICT (player_id, report_key) WHERE report_key IS NOT NULL DO NOTHING RETURNING id) "
                   "SELECT -1, 0::bigint, 0::bigint FROM kept UNION ALL "
                   "SELECT scope, value, reported_at FROM bests WHERE leaderboard = $2 AND player_id = $1 "
                   "AND (scope, period) IN ((0, $6::bigint), (1, $7::bigint), (2, $8::bigint))",
                   {report.playerId, report.leaderboard, number(report.value), number(report.at), report.reportKey,
                    number(periods[0]), number(periods[1]), number(periods[2])});

        struct Best
        {
            bool present = false;
            std::int64_t value = 0;
            Millis at = 0;
        };
        std::array<Best, 3> old;
        bool kept = false;
        for (int r = 0; r < rows.rows(); ++r) {
            const auto s = rows.integer(r, 0);
            if (s < 0)
                kept = true;
            else if (s < std::ssize(old))
                old[static_cast<std::size_t>(s)] = {true, rows.integer(r, 1), rows.integer(r, 2)};
        }
        if (!kept)
            return ScoreOutcome{true};

        // Which bests change, and by how much each value's count moves.
        // The counts are updated in key order, the same in every
        // transaction, so that concurrent reports cannot deadlock on them.
        std::vector<std::int64_t> writeScopes, writePeriods;
        std::map<std::tuple<std::int64_t, std::int64_t, std::int64_t>, std::int64_t> deltas;
        for (std::size_t s = 0; s < old.size(); ++s) {
            const auto scope = static_cast<std::int64_t>(s);
            const Best &b = old[s];
            if (!b.present || report.value > b.value) {
                if (b.present)
                    deltas[{scope, periods[s], b.value}] -= 1;
                deltas[{scope, periods[s], report.value}] += 1;
            } else if (report.value != b.value || report.at >= b.at) {
                continue; // worse, or the same value reported no earlier
            }
            writeScopes.push_back(scope);
            writePeriods.push_back(periods[s]);
        }
        // The bests and the counts in one statement; every count change
        // comes with a best written, so nothing to write means neither.
        if (!writeScopes.empty()) {
            std::vector<std::int64_t> scopes, ps, values, changes;
            for (const auto &[key, change] : deltas) {
                scopes.push_back(std::get<0>(key));
                ps.push_back(std::get<1>(key));
                values.push_back(std::get<2>(key));
                changes.push_back(change);
            }
            c.exec("WITH written AS (INSERT INTO bests (leaderboard, scope, period, player_id, value, reported_at) "
                   "SELECT $1, s, p, $2, $3::bigint, $4::bigint FROM unnest($5::smallint[], $6::bigint[]) AS u (s, p) "
                   "ON CONFLICT (leaderboard, scope, period, player_id) "
                   "DO UPDATE SET value = EXCLUDED.value, reported_at = EXCLUDED.reported_at) "
                   "INSERT INTO best_counts (leaderboard, scope, period, value, players) "
                   "SELECT $1, s, p, v, d FROM unnest($7::smallint[], $8::bigint[], $9::bigint[], $10::bigint[]) "
                   "AS u (s, p, v, d) ORDER BY s, p, v "
                   "ON CONFLICT (leaderboard, scope, period, value) "
                   "DO UPDATE SET players = best_counts.players + EXCLUDED.players",
                   {report.leaderboard, report.playerId, number(report.value), number(report.at), arrayOf(writeScopes),
                    arrayOf(writePeriods), arrayOf(scopes), arrayOf(ps), arrayOf(values), arrayOf(changes)});
        }
        return ScoreOutcome{false};
    });
}

std::vector<RankedScore> PostgresStore::topScores(const std::string &leaderboard, Scope scope, Millis now, int limit)
{
    if (limit <= 0)
        return {};
    return run("topScores", Mode::Single, [&](PostgresConnection &c) {
        const auto rows =
            c.exec(std::string("SELECT ") + rowColumns
                       + " FROM bests b JOIN players p ON p.id = b.player_id "
                         "WHERE b.leaderboard = $1 AND b.scope = $2 AND b.period = $3 "
                         "ORDER BY b.value DESC, b.reported_at, b.player_id LIMIT $4",
                   {leaderboard, scopeCode(scope), number(periodOf(scope, now)), number(std::int64_t{limit})});
        // From the top, a rank is the position, shared by equal values.
        std::vector<RankedScore> list;
        for (int r = 0; r < rows.rows(); ++r) {
            RankedScore s = rankedAt(rows, r);
            s.rank = (r > 0 && list.back().value == s.value) ? list.back().rank : r + 1;
            list.push_back(std::move(s));
        }
        return list;
    });
}

std::optional<RankedScore> PostgresStore::playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                                      const std::string &playerId)
{
    return run("playerScore", Mode::Single, [&](PostgresConnection &c) -> std::optional<RankedScore> {
        const auto rows =
            c.exec(std::string("SELECT ") + rowColumns
                       + ", 1 + COALESCE((SELECT sum(n.players) FROM best_counts n "
                         "WHERE n.leaderboard = b.leaderboard AND n.scope = b.scope "
                         "AND n.period = b.period AND n.value > b.value), 0)::bigint "
                         "FROM bests b JOIN players p ON p.id = b.player_id "
                         "WHERE b.leaderboard = $1 AND b.scope = $2 AND b.period = $3 AND b.player_id = $4",
                   {leaderboard, scopeCode(scope), number(periodOf(scope, now)), playerId});
        if (rows.rows() == 0)
            return std::nullopt;
        RankedScore s = rankedAt(rows, 0);
        s.rank = rows.integer(0, 4);
        return s;
    });
}

// One statement, so one snapshot and one round trip: the player's row, up to
// `radius` rows either side (each side in two parts, the player's equals and
// the other values, so that every part walks the order index), and the
// per-value counts from the window's lowest value up, which the ranks are
// summed from.
std::vector<RankedScore> PostgresStore::aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                                     const std::string &playerId, int radius)
{
    static const std::string board = "b.leaderboard = $1 AND b.scope = $2 AND b.period = $3 ";
    static const std::string from = "SELECT b.player_id, b.value, b.reported_at FROM bests b WHERE " + board;
    static const std::string sql =
        "WITH me AS (" + from
        + "AND b.player_id = $4), "
          "near AS ((SELECT player_id, value, reported_at FROM me) UNION ALL ("
        + from
        + "AND b.value = (SELECT value FROM me) "
          "AND (b.reported_at, b.player_id) < ((SELECT reported_at FROM me), (SELECT player_id FROM me)) "
          "ORDER BY b.reported_at DESC, b.player_id DESC LIMIT $5) UNION ALL ("
        + from
        + "AND b.value > (SELECT value FROM me) "
          "ORDER BY b.value, b.reported_at DESC, b.player_id DESC LIMIT $5) UNION ALL ("
        + from
        + "AND b.value = (SELECT value FROM me) "
          "AND (b.reported_at, b.player_id) > ((SELECT reported_at FROM me), (SELECT player_id FROM me)) "
          "ORDER BY b.reported_at, b.player_id LIMIT $5) UNION ALL ("
        + from
        + "AND b.value < (SELECT value FROM me) "
          "ORDER BY b.value DESC, b.reported_at, b.player_id LIMIT $5)) "
          "SELECT 0, n.player_id, p.display_name, n.value, n.reported_at "
          "FROM near n JOIN players p ON p.id = n.player_id "
          "UNION ALL SELECT 1, NULL, NULL, c.value, c.players FROM best_counts c "
          "WHERE c.leaderboard = $1 AND c.scope = $2 AND c.period = $3 AND c.value >= (SELECT min(value) FROM near)";
    const std::string width = number(std::int64_t{std::max(radius, 0)});
    return run("aroundPlayer", Mode::Single, [&](PostgresConnection &c) {
        const auto rows = c.exec(sql, {leaderboard, scopeCode(scope), number(periodOf(scope, now)), playerId, width});
        std::vector<RankedScore> window;
        std::map<std::int64_t, std::int64_t, std::greater<>> counts; // value -> players, best first
        for (int r = 0; r < rows.rows(); ++r) {
            if (rows.integer(r, 0) == 1) {
                counts[rows.integer(r, 3)] = rows.integer(r, 4);
                continue;
            }
            RankedScore s;
            s.playerId = rows.text(r, 1);
            s.displayName = rows.text(r, 2);
            s.value = rows.integer(r, 3);
            s.reportedAt = rows.integer(r, 4);
            window.push_back(std::move(s));
        }
        std::sort(window.begin(), window.end(), before);
        const auto me =
            std::find_if(window.begin(), window.end(), [&](const auto &s) { return s.playerId == playerId; });
        if (me == window.end())
            return std::vector<RankedScore>{};
        // Each side came in two parts of up to `radius` rows: keep the nearest.
        const auto keep = static_cast<std::ptrdiff_t>(std::max(radius, 0));
        const auto mine = me - window.begin();
        window.erase(window.begin() + std::min<std::ptrdiff_t>(mine + keep + 1, std::ssize(window)), window.end());
        window.erase(window.begin(), window.begin() + std::max<std::ptrdiff_t>(mine - keep, 0));
        std::int64_t above = 0;
        auto count = counts.begin();
        for (RankedScore &s : window) {
            for (; count != counts.end() && count->first > s.value; ++count)
                above += count->second;
            s.rank = 1 + above;
        }
        return window;
    });
}

std::int64_t PostgresStore::entryCount(const std::string &leaderboard, Scope scope, Millis now)
{
    return run("entryCount", Mode::Single, [&](PostgresConnection &c) {
        return c
            .exec("SELECT COALESCE(sum(players), 0)::bigint FROM best_counts "
                  "WHERE leaderboard = $1 AND scope = $2 AND period = $3",
                  {leaderboard, scopeCode(scope), number(periodOf(scope, now))})
            .integer(0, 0);
    });
}

AchievementOutcome PostgresStore::reportAchievement(const std::string &playerId, const std::string &achievement,
                                                    double percent, Millis now)
{
    if (!std::isfinite(percent))
        throw StoreError("reportAchievement: the percentage is not a finite number");
    return run("reportAchievement", Mode::Write, [&](PostgresConnection &c) {
        lockPlayer(c, playerId);
        const auto rows = c.exec("SELECT percent FROM achievements WHERE player_id = $1 AND identifier = $2",
                                 {playerId, achievement});
        const std::optional<double> old = rows.rows() ? std::optional(rows.real(0, 0)) : std::nullopt;
        if (!old || percent > *old) {
            c.exec("INSERT INTO achievements (player_id, identifier, percent, updated_at) VALUES ($1, $2, $3, $4) "
                   "ON CONFLICT (player_id, identifier) "
                   "DO UPDATE SET percent = EXCLUDED.percent, updated_at = EXCLUDED.updated_at",
                   {playerId, achievement, number(percent), number(now)});
        }
        AchievementOutcome outcome;
        outcome.percent = old ? std::max(*old, percent) : percent;
        outcome.completedNow = outcome.percent >= 100 && (!old || *old < 100);
        return outcome;
    });
}

std::vector<AchievementRecord> PostgresStore::achievements(const std::string &playerId)
{
    return run("achievements", Mode::Single, [&](PostgresConnection &c) {
        const auto rows = c.exec("SELECT identifier, percent, updated_at FROM achievements WHERE player_id = $1 "
                                 "ORDER BY identifier",
                                 {playerId});
        std::vector<AchievementRecord> list;
        for (int r = 0; r < rows.rows(); ++r)
            list.push_back({rows.text(r, 0), rows.real(r, 1), rows.integer(r, 2)});
        return list;
    });
}

void PostgresStore::resetAchievements(const std::string &playerId)
{
    run("resetAchievements", Mode::Single,
        [&](PostgresConnection &c) { return c.exec("DELETE FROM achievements WHERE player_id = $1", {playerId}); });
}

ChallengeRecord PostgresStore::sendChallenge(const ChallengeRecord &challenge)
{
    for (int attempt = 1;; ++attempt) {
        ChallengeRecord sent = challenge;
        sent.id = newId('C');
        try {
            run("sendChallenge", Mode::Single, [&](PostgresConnection &c) {
                return c.exec(
                    "INSERT INTO challenges (id, from_player, to_player, leaderboard, value, message, sent_at) "
                    "VALUES ($1, $2, $3, $4, $5, $6, $7)",
                    {sent.id, sent.fromPlayerId, sent.toPlayerId, sent.leaderboard, number(sent.value), sent.message,
                     number(sent.sentAt)});
            });
            return sent;
        } catch (const PostgresError &e) {
            if (!(e.uniqueViolation() && e.constraint() == "challenges_pkey") || attempt == 5)
                throw;
        }
    }
}

std::vector<ChallengeRecord> PostgresStore::receivedChallenges(const std::string &playerId)
{
    return run("receivedChallenges", Mode::Single, [&](PostgresConnection &c) {
        const auto rows = c.exec("SELECT c.id, c.from_player, p.display_name, c.to_player, c.leaderboard, c.value, "
                                 "c.message, c.sent_at FROM challenges c JOIN players p ON p.id = c.from_player "
                                 "WHERE c.to_player = $1 ORDER BY c.sent_at DESC, c.sequence DESC",
                                 {playerId});
        std::vector<ChallengeRecord> list;
        for (int r = 0; r < rows.rows(); ++r) {
            list.push_back({rows.text(r, 0), rows.text(r, 1), rows.text(r, 2), rows.text(r, 3), rows.text(r, 4),
                            rows.integer(r, 5), rows.text(r, 6), rows.integer(r, 7)});
        }
        return list;
    });
}

bool PostgresStore::dismissChallenge(const std::string &playerId, const std::string &challengeId)
{
    return run("dismissChallenge", Mode::Single, [&](PostgresConnection &c) {
        return c.exec("DELETE FROM challenges WHERE id = $1 AND to_player = $2", {challengeId, playerId}).affected()
               == 1;
    });
}

} // namespace kestrune::server
