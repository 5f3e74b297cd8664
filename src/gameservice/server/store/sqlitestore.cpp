#include "sqlitestore.h"

#include "gameservice/catalogue/catalogue.h"
#include "sqliteconnection.h"
#include "sqlitemigrations.h"
#include "sqlitestatement.h"
#include "sqlitetransaction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <type_traits>

namespace kestrune::server {

namespace {

constexpr std::array allScopes{Scope::Today, Scope::Week, Scope::AllTime};

// An id that fits in a URL path: the prefix and 16 lower-case hex digits.
std::string idOf(char prefix, std::uint64_t bits)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string id(17, prefix);
    for (int i = 16; i >= 1; --i, bits >>= 4)
        id[std::size_t(i)] = digits[bits & 0xf];
    return id;
}

void checkLeaderboard(const std::string &leaderboard)
{
    const auto *definition = catalogue::findLeaderboard(leaderboard);
    if (!definition)
        throw StoreError("sqlite: reporting a score failed: the leaderboard is not in the catalogue");
    if (!definition->higherIsBetter)
        throw StoreError("sqlite: reporting a score failed: boards where lower is better are not supported");
}

PlayerRecord playerFrom(const SqliteStatement &row)
{
    return PlayerRecord{row.text(0), row.text(1)};
}

// Ranked rows are read as: player_id, display_name, value, reported_at.
RankedScore rankedFrom(const SqliteStatement &row)
{
    RankedScore score;
    score.playerId = row.text(0);
    score.displayName = row.text(1);
    score.value = row.integer(2);
    score.reportedAt = row.integer(3);
    return score;
}

// One leaderboard in one scope and period, as the hot tables key it.
struct BoardPeriod
{
    std::int64_t id = 0;
    std::int64_t players = 0; // how many have a best in it
};

// Nothing when nobody has reported to that board in that period yet.
std::optional<BoardPeriod> findBoardPeriod(SqliteConnection &db, const std::string &leaderboard, Scope scope, Millis at)
{
    SqliteStatement query(db,
                          "SELECT id, players FROM board_periods"
                          " WHERE leaderboard = ?1 AND scope = ?2 AND period = ?3",
                          "finding a board period");
    query.bindAll(leaderboard, scopeName(scope), periodOf(scope, at));
    if (!query.step())
        return std::nullopt;
    return BoardPeriod{query.integer(0), query.integer(1)};
}

std::int64_t boardPeriodFor(SqliteConnection &db, const std::string &leaderboard, Scope scope, Millis at)
{
    if (const auto found = findBoardPeriod(db, leaderboard, scope, at))
        return found->id;
    SqliteStatement insert(db,
                           "INSERT INTO board_periods (leaderboard, scope, period) VALUES (?1, ?2, ?3) RETURNING id",
                           "opening a board period");
    insert.bindAll(leaderboard, scopeName(scope), periodOf(scope, at));
    insert.step();
    const std::int64_t id = insert.integer(0);
    insert.run();
    return id;
}

std::int64_t playersBetterThan(SqliteConnection &db, std::int64_t boardPeriod, std::int64_t value)
{
    SqliteStatement query(db,
                          "SELECT COALESCE(SUM(players), 0) FROM score_counts WHERE board_period = ?1 AND value > ?2",
                          "reading a rank");
    query.bindAll(boardPeriod, value);
    query.step();
    return query.integer(0);
}

std::int64_t playersAt(SqliteConnection &db, std::int64_t boardPeriod, std::int64_t value)
{
    SqliteStatement query(db, "SELECT players FROM score_counts WHERE board_period = ?1 AND value = ?2",
                          "reading a rank");
    query.bindAll(boardPeriod, value);
    return query.step() ? query.integer(0) : 0;
}

// Ranks for rows that follow each other in the board's order: the first from
// the counts above it, each new value below from the one before it plus how
// many share that one (nobody can lie between two neighbours).
void assignRanks(SqliteConnection &db, std::int64_t boardPeriod, std::vector<RankedScore> &rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0)
            rows[i].rank = 1 + playersBetterThan(db, boardPeriod, rows[i].value);
        else if (rows[i].value == rows[i - 1].value)
            rows[i].rank = rows[i - 1].rank;
        else
            rows[i].rank = rows[i - 1].rank + playersAt(db, boardPeriod, rows[i - 1].value);
    }
}

void addToCount(SqliteConnection &db, std::int64_t boardPeriod, std::int64_t value, int change)
{
    SqliteStatement update(db,
                           "INSERT INTO score_counts (board_period, value, players) VALUES (?1, ?2, ?3)"
                           " ON CONFLICT (board_period, value) DO UPDATE SET players = players + ?3",
                           "counting a score");
    update.bindAll(boardPeriod, value, change);
    update.run();
}

// Keeps the player's best of one period: a better value replaces it, an equal
// one reported earlier moves its time back, and the counts follow.
void updateBest(SqliteConnection &db, std::int64_t boardPeriod, const ScoreReport &report)
{
    std::optional<std::int64_t> bestValue;
    Millis bestAt = 0;
    {
        SqliteStatement query(db,
                              "SELECT value, reported_at FROM best_scores WHERE board_period = ?1 AND player_id = ?2",
                              "reading a best score");
        query.bindAll(boardPeriod, report.playerId);
        if (query.step()) {
            bestValue = query.integer(0);
            bestAt = query.integer(1);
        }
    }
    if (bestValue && (report.value < *bestValue || (report.value == *bestValue && report.at >= bestAt)))
        return;
    {
        SqliteStatement store(db,
                              "INSERT INTO best_scores (board_period, player_id, value, reported_at)"
                              " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (player_id, board_period)"
                              " DO UPDATE SET value = excluded.value, reported_at = excluded.reported_at",
                              "storing a best score");
        store.bindAll(boardPeriod, report.playerId, report.value, report.at);
        store.run();
    }
    if (bestValue == report.value)
        return;
    if (bestValue) {
        addToCount(db, boardPeriod, *bestValue, -1);
    } else {
        SqliteStatement entered(db, "UPDATE board_periods SET players = players + 1 WHERE id = ?1",
                                "counting a board's players");
        entered.bindAll(boardPeriod);
        entered.run();
    }
    addToCount(db, boardPeriod, report.value, +1);
}

constexpr const char *selectRanked = "SELECT b.player_id, p.display_name, b.value, b.reported_at"
                                     " FROM best_scores b JOIN players p ON p.id = b.player_id"
                                     " WHERE b.board_period = ?1";

// Appends the rows of the query, read as ranked rows.
void collect(SqliteStatement &query, std::vector<RankedScore> &rows)
{
    while (query.step())
        rows.push_back(rankedFrom(query));
}

} // namespace

template<typename Work> auto SqliteStore::write(Work &&work)
{
    using Result = decltype(work(*m_writer));
    if constexpr (std::is_void_v<Result>) {
        m_writes.run(work);
    } else {
        std::optional<Result> result;
        m_writes.run([&](SqliteConnection &db) { result.emplace(work(db)); });
        return std::move(*result);
    }
}

template<typename Work> auto SqliteStore::read(Work &&work)
{
    auto lease = m_readers.acquire();
    SqliteTransaction transaction(*lease, SqliteTransaction::Kind::Read);
    auto result = work(*lease);
    transaction.commit();
    return result;
}

SqliteStore::SqliteStore(const std::string &path)
    : m_writer(std::make_unique<SqliteConnection>(path, true))
    , m_writes(*m_writer)
    , m_random(std::random_device{}())
    , m_readers(path)
{
    SqliteMigrations::apply(*m_writer, SqliteMigrations::all());
    m_checkpointer = std::make_unique<SqliteCheckpointer>(path);
}

SqliteStore::~SqliteStore() = default;

std::string SqliteStore::newId(char prefix)
{
    return idOf(prefix, m_random());
}

PlayerRecord SqliteStore::createPlayer(const std::string &displayName, const std::string &tokenHash,
                                       const std::string &recoveryHash, Millis now)
{
    return write([&](SqliteConnection &db) {
        // A clash of random ids is unlikely but not impossible: draw again.
        for (int attempt = 0; attempt < 8; ++attempt) {
            PlayerRecord record{newId('K'), displayName};
            SqliteStatement insert(db,
                                   "INSERT INTO players (id, display_name, token_hash, recovery_hash, created_at)"
                                   " VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (id) DO NOTHING",
                                   "creating a player");
            insert.bindAll(record.id, displayName, tokenHash, recoveryHash, now);
            if (insert.run() == 1)
                return record;
        }
        throw StoreError("sqlite: creating a player failed: no free player id");
    });
}

std::optional<PlayerRecord> SqliteStore::playerByToken(const std::string &tokenHash)
{
    return read([&](SqliteConnection &db) -> std::optional<PlayerRecord> {
        SqliteStatement query(db, "SELECT id, display_name FROM players WHERE token_hash = ?1",
                              "finding a player by token");
        query.bindAll(tokenHash);
        if (!query.step())
            return std::nullopt;
        return playerFrom(query);
    });
}

std::optional<PlayerRecord> SqliteStore::player(const std::string &playerId)
{
    return read([&](SqliteConnection &db) -> std::optional<PlayerRecord> {
        SqliteStatement query(db, "SELECT id, display_name FROM players WHERE id = ?1", "finding a player");
        query.bindAll(playerId);
        if (!query.step())
            return std::nullopt;
        return playerFrom(query);
    });
}

bool SqliteStore::renamePlayer(const std::string &playerId, const std::string &displayName)
{
    return write([&](SqliteConnection &db) {
        SqliteStatement update(db, "UPDATE players SET display_name = ?2 WHERE id = ?1", "renaming a player");
        update.bindAll(playerId, displayName);
        return update.run() > 0;
    });
}

std::optional<PlayerRecord> SqliteStore::recoverPlayer(const std::string &recoveryHash, const std::string &newTokenHash,
                                                       const std::string &newRecoveryHash)
{
    return write([&](SqliteConnection &db) -> std::optional<PlayerRecord> {
        SqliteStatement update(db,
                               "UPDATE players SET token_hash = ?2, recovery_hash = ?3 WHERE recovery_hash = ?1"
                               " RETURNING id, display_name",
                               "recovering a player");
        update.bindAll(recoveryHash, newTokenHash, newRecoveryHash);
        if (!update.step())
            return std::nullopt;
        PlayerRecord record = playerFrom(update);
        update.run();
        return record;
    });
}

ScoreOutcome SqliteStore::applyReport(SqliteConnection &db, const ScoreReport &report)
{
    checkLeaderboard(report.leaderboard);
    {
        SqliteStatement insert(db,
                               "INSERT INTO scores (player_id, leaderboard, value, reported_at, report_key)"
                               " VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT DO NOTHING",
                               "reporting a score");
        insert.bindAll(report.playerId, report.leaderboard, report.value, report.at, report.reportKey);
        if (insert.run() == 0)
            return ScoreOutcome{true};
    }
    for (Scope scope : allScopes)
        updateBest(db, boardPeriodFor(db, report.leaderboard, scope, report.at), report);
    return ScoreOutcome{false};
}

ScoreOutcome SqliteStore::reportScore(const ScoreReport &report)
{
    return write([&](SqliteConnection &db) { return applyReport(db, report); });
}

std::vector<ScoreOutcome> SqliteStore::reportScores(std::span<const ScoreReport> reports)
{
    return write([&](SqliteConnection &db) {
        std::vector<ScoreOutcome> outcomes;
        outcomes.reserve(reports.size());
        for (const ScoreReport &report : reports)
            outcomes.push_back(applyReport(db, report));
        return outcomes;
    });
}

std::vector<RankedScore> SqliteStore::topScores(const std::string &leaderboard, Scope scope, Millis now, int limit)
{
    if (limit <= 0)
        return {};
    return read([&](SqliteConnection &db) {
        std::vector<RankedScore> rows;
        const auto board = findBoardPeriod(db, leaderboard, scope, now);
        if (!board)
            return rows;
        static const std::string sql =
            std::string(selectRanked) + " ORDER BY b.value DESC, b.reported_at, b.player_id LIMIT ?2";
        SqliteStatement query(db, sql.c_str(), "reading the top scores");
        query.bindAll(board->id, limit);
        collect(query, rows);
        assignRanks(db, board->id, rows);
        return rows;
    });
}

namespace {

std::optional<RankedScore> ownRow(SqliteConnection &db, std::int64_t boardPeriod, const std::string &playerId)
{
    static const std::string sql = std::string(selectRanked) + " AND b.player_id = ?2";
    SqliteStatement query(db, sql.c_str(), "reading a player's score");
    query.bindAll(boardPeriod, playerId);
    if (!query.step())
        return std::nullopt;
    RankedScore row = rankedFrom(query);
    row.rank = 1 + playersBetterThan(db, boardPeriod, row.value);
    return row;
}

// The rows just before `own` in the board's order, nearest first: the same
// value reported earlier, then better values. Each query walks the order
// index from the player's place, so it reads only what it returns.
std::vector<RankedScore> rowsBefore(SqliteConnection &db, std::int64_t boardPeriod, const RankedScore &own, int count)
{
    static const std::string sameValue = std::string(selectRanked)
                                         + " AND b.value = ?2 AND (b.reported_at, b.player_id) < (?3, ?4)"
                                           " ORDER BY b.reported_at DESC, b.player_id DESC LIMIT ?5";
    static const std::string better = std::string(selectRanked)
                                      + " AND b.value > ?2"
                                        " ORDER BY b.value, b.reported_at DESC, b.player_id DESC LIMIT ?3";
    std::vector<RankedScore> rows;
    {
        SqliteStatement query(db, sameValue.c_str(), "reading scores around a player");
        query.bindAll(boardPeriod, own.value, own.reportedAt, own.playerId, count);
        collect(query, rows);
    }
    if (int(rows.size()) < count) {
        SqliteStatement query(db, better.c_str(), "reading scores around a player");
        query.bindAll(boardPeriod, own.value, count - int(rows.size()));
        collect(query, rows);
    }
    return rows;
}

// The rows just after `own`, nearest first: the same value reported later,
// then worse values.
std::vector<RankedScore> rowsAfter(SqliteConnection &db, std::int64_t boardPeriod, const RankedScore &own, int count)
{
    static const std::string sameValue = std::string(selectRanked)
                                         + " AND b.value = ?2 AND (b.reported_at, b.player_id) > (?3, ?4)"
                                           " ORDER BY b.reported_at, b.player_id LIMIT ?5";
    static const std::string worse = std::string(selectRanked)
                                     + " AND b.value < ?2"
                                       " ORDER BY b.value DESC, b.reported_at, b.player_id LIMIT ?3";
    std::vector<RankedScore> rows;
    {
        SqliteStatement query(db, sameValue.c_str(), "reading scores around a player");
        query.bindAll(boardPeriod, own.value, own.reportedAt, own.playerId, count);
        collect(query, rows);
    }
    if (int(rows.size()) < count) {
        SqliteStatement query(db, worse.c_str(), "reading scores around a player");
        query.bindAll(boardPeriod, own.value, count - int(rows.size()));
        collect(query, rows);
    }
    return rows;
}

} // namespace

std::optional<RankedScore> SqliteStore::playerScore(const std::string &leaderboard, Scope scope, Millis now,
                                                    const std::string &playerId)
{
    return read([&](SqliteConnection &db) -> std::optional<RankedScore> {
        const auto board = findBoardPeriod(db, leaderboard, scope, now);
        if (!board)
            return std::nullopt;
        return ownRow(db, board->id, playerId);
    });
}

std::vector<RankedScore> SqliteStore::aroundPlayer(const std::string &leaderboard, Scope scope, Millis now,
                                                   const std::string &playerId, int radius)
{
    radius = std::max(radius, 0);
    return read([&](SqliteConnection &db) {
        std::vector<RankedScore> rows;
        const auto board = findBoardPeriod(db, leaderboard, scope, now);
        const auto own = board ? ownRow(db, board->id, playerId) : std::nullopt;
        if (!own)
            return rows;
        rows = rowsBefore(db, board->id, *own, radius);
        std::reverse(rows.begin(), rows.end());
        rows.push_back(*own);
        const auto after = rowsAfter(db, board->id, *own, radius);
        rows.insert(rows.end(), after.begin(), after.end());
        assignRanks(db, board->id, rows);
        return rows;
    });
}

std::int64_t SqliteStore::entryCount(const std::string &leaderboard, Scope scope, Millis now)
{
    return read([&](SqliteConnection &db) {
        const auto board = findBoardPeriod(db, leaderboard, scope, now);
        return board ? board->players : 0;
    });
}

AchievementOutcome SqliteStore::reportAchievement(const std::string &playerId, const std::string &achievement,
                                                  double percent, Millis now)
{
    if (std::isnan(percent))
        throw StoreError("sqlite: reporting an achievement failed: the percent is not a number");
    return write([&](SqliteConnection &db) {
        std::optional<double> stored;
        {
            SqliteStatement query(db, "SELECT percent FROM achievements WHERE player_id = ?1 AND identifier = ?2",
                                  "reading an achievement");
            query.bindAll(playerId, achievement);
            if (query.step())
                stored = query.real(0);
        }
        if (stored && *stored >= percent)
            return AchievementOutcome{*stored, false};
        SqliteStatement upsert(db,
                               "INSERT INTO achievements (player_id, identifier, percent, updated_at)"
                               " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (player_id, identifier)"
                               " DO UPDATE SET percent = excluded.percent, updated_at = excluded.updated_at",
                               "reporting an achievement");
        upsert.bindAll(playerId, achievement, percent, now);
        upsert.run();
        return AchievementOutcome{percent, percent >= 100 && stored.value_or(0) < 100};
    });
}

std::vector<AchievementRecord> SqliteStore::achievements(const std::string &playerId)
{
    return read([&](SqliteConnection &db) {
        SqliteStatement query(db,
                              "SELECT identifier, percent, updated_at FROM achievements WHERE player_id = ?1"
                              " ORDER BY identifier",
                              "reading achievements");
        query.bindAll(playerId);
        std::vector<AchievementRecord> records;
        while (query.step())
            records.push_back(AchievementRecord{query.text(0), query.real(1), query.integer(2)});
        return records;
    });
}

void SqliteStore::resetAchievements(const std::string &playerId)
{
    write([&](SqliteConnection &db) {
        SqliteStatement remove(db, "DELETE FROM achievements WHERE player_id = ?1", "resetting achievements");
        remove.bindAll(playerId);
        remove.run();
    });
}

ChallengeRecord SqliteStore::sendChallenge(const ChallengeRecord &challenge)
{
    return write([&](SqliteConnection &db) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            ChallengeRecord record = challenge;
            record.id = newId('C');
            SqliteStatement insert(db,
                                   "INSERT INTO challenges (id, from_player, to_player, leaderboard, value, message,"
                                   " sent_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7) ON CONFLICT (id) DO NOTHING",
                                   "sending a challenge");
            insert.bindAll(record.id, record.fromPlayerId, record.toPlayerId, record.leaderboard, record.value,
                           record.message, record.sentAt);
            if (insert.run() == 1)
                return record;
        }
        throw StoreError("sqlite: sending a challenge failed: no free challenge id");
    });
}

std::vector<ChallengeRecord> SqliteStore::receivedChallenges(const std::string &playerId)
{
    return read([&](SqliteConnection &db) {
        SqliteStatement query(db,
                              "SELECT c.id, c.from_player, p.display_name, c.to_player, c.leaderboard, c.value,"
                              " c.message, c.sent_at FROM challenges c JOIN players p ON p.id = c.from_player"
                              " WHERE c.to_player = ?1 ORDER BY c.sent_at DESC, c.rowid DESC",
                              "reading challenges");
        query.bindAll(playerId);
        std::vector<ChallengeRecord> records;
        while (query.step()) {
            records.push_back(ChallengeRecord{query.text(0), query.text(1), query.text(2), query.text(3), query.text(4),
                                              query.integer(5), query.text(6), query.integer(7)});
        }
        return records;
    });
}

bool SqliteStore::dismissChallenge(const std::string &playerId, const std::string &challengeId)
{
    return write([&](SqliteConnection &db) {
        SqliteStatement remove(db, "DELETE FROM challenges WHERE id = ?1 AND to_player = ?2", "dismissing a challenge");
        remove.bindAll(challengeId, playerId);
        return remove.run() > 0;
    });
}

} // namespace kestrune::server
