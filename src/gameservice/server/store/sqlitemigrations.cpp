#include "sqlitemigrations.h"

#include "sqliteconnection.h"
#include "sqlitestatement.h"
#include "sqlitetransaction.h"
#include "store.h"

#include <array>
#include <chrono>
#include <string>

namespace kestrune::server {

namespace {

// A board period is one leaderboard in one scope and period (a day, an ISO
// week, or all time), numbered so that the hot tables key on one integer. Ranks come
// from score_counts: per board period, how many players have each value as
// their best; a rank sums at most the score range's rows, whatever the number
// of players. board_periods.players is the period's entry count. Rows of
// best_scores and score_counts are written only after their score was
// accepted (with its foreign key), so they carry no key checks of their own.
// A player's bests of today, this week and all time sit side by side (the key
// starts with the player), so a report rewrites one page of them, not three.
constexpr const char *initialSchema = R"sql(
CREATE TABLE players (
    id TEXT PRIMARY KEY,
    display_name TEXT NOT NULL,
    token_hash TEXT NOT NULL UNIQUE,
    recovery_hash TEXT NOT NULL UNIQUE,
    created_at INTEGER NOT NULL
) WITHOUT ROWID;
CREATE TABLE scores (
    id INTEGER PRIMARY KEY,
    player_id TEXT NOT NULL REFERENCES players (id),
    leaderboard TEXT NOT NULL,
    value INTEGER NOT NULL,
    reported_at INTEGER NOT NULL,
    report_key TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX scores_report_key ON scores (player_id, report_key) WHERE report_key <> '';
CREATE TABLE board_periods (
    id INTEGER PRIMARY KEY,
    leaderboard TEXT NOT NULL,
    scope TEXT NOT NULL,
    period INTEGER NOT NULL,
    players INTEGER NOT NULL DEFAULT 0,
    UNIQUE (leaderboard, scope, period)
);
CREATE TABLE best_scores (
    board_period INTEGER NOT NULL,
    player_id TEXT NOT NULL,
    value INTEGER NOT NULL,
    reported_at INTEGER NOT NULL,
    PRIMARY KEY (player_id, board_period)
) WITHOUT ROWID;
CREATE INDEX best_scores_order ON best_scores (board_period, value DESC, reported_at, player_id);
CREATE TABLE score_counts (
    board_period INTEGER NOT NULL,
    value INTEGER NOT NULL,
    players INTEGER NOT NULL,
    PRIMARY KEY (board_period, value)
) WITHOUT ROWID;
CREATE TABLE achievements (
    player_id TEXT NOT NULL REFERENCES players (id),
    identifier TEXT NOT NULL,
    percent REAL NOT NULL,
    updated_at INTEGER NOT NULL,
    PRIMARY KEY (player_id, identifier)
) WITHOUT ROWID;
CREATE TABLE challenges (
    id TEXT PRIMARY KEY,
    from_player TEXT NOT NULL REFERENCES players (id),
    to_player TEXT NOT NULL REFERENCES players (id),
    leaderboard TEXT NOT NULL,
    value INTEGER NOT NULL,
    message TEXT NOT NULL,
    sent_at INTEGER NOT NULL
);
CREATE INDEX challenges_received ON challenges (to_player, sent_at);
)sql";

constexpr std::array migrationList{
    SqliteMigrations::Migration{1, "players, scores with bests and counts per board period, achievements, challenges",
                                initialSchema},
};

Millis nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

std::span<const SqliteMigrations::Migration> SqliteMigrations::all()
{
    return migrationList;
}

std::vector<std::int64_t> SqliteMigrations::apply(SqliteConnection &connection, std::span<const Migration> migrations)
{
    connection.execute("CREATE TABLE IF NOT EXISTS schema_migrations ("
                       " version INTEGER PRIMARY KEY, name TEXT NOT NULL, applied_at INTEGER NOT NULL)",
                       "creating schema_migrations");
    const std::int64_t known = migrations.empty() ? 0 : migrations.back().version;
    std::vector<std::int64_t> appliedNow;
    for (const Migration &migration : migrations) {
        SqliteTransaction transaction(connection, SqliteTransaction::Kind::Write);
        // Read inside the write lock: another process opening the same file
        // at the same time waits here and then finds the version recorded.
        std::int64_t newest = 0;
        bool recorded = false;
        {
            SqliteStatement query(connection,
                                  "SELECT COALESCE(MAX(version), 0), "
                                  "EXISTS (SELECT 1 FROM schema_migrations WHERE version = ?1) "
                                  "FROM schema_migrations",
                                  "reading schema_migrations");
            query.bindAll(migration.version);
            query.step();
            newest = query.integer(0);
            recorded = query.integer(1) != 0;
        }
        if (newest > known)
            throw StoreError("sqlite: the database has schema version " + std::to_string(newest)
                             + ", newer than this server knows (" + std::to_string(known) + ")");
        if (recorded)
            continue;
        connection.execute(migration.sql, "migration " + std::to_string(migration.version));
        SqliteStatement record(connection,
                               "INSERT INTO schema_migrations (version, name, applied_at) VALUES (?1, ?2, ?3)",
                               "recording a migration");
        record.bindAll(migration.version, migration.name, nowMs());
        record.run();
        transaction.commit();
        appliedNow.push_back(migration.version);
    }
    return appliedNow;
}

std::vector<std::int64_t> SqliteMigrations::applied(SqliteConnection &connection)
{
    std::vector<std::int64_t> versions;
    SqliteStatement query(connection, "SELECT version FROM schema_migrations ORDER BY version",
                          "reading schema_migrations");
    while (query.step())
        versions.push_back(query.integer(0));
    return versions;
}

} // namespace kestrune::server
