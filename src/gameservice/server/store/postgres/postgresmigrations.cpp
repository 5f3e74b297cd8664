#include "postgresmigrations.h"

#include "postgresconnection.h"
#include "postgreserror.h"

#include <array>
#include <set>

namespace kestrune::server {

namespace {

// Held while migrating; any number the database's other users do not take.
constexpr const char *lockKey = "7022117563478210721";

// Player ids sort byte-wise (COLLATE "C") whatever the database's locale,
// so that lists order the same on every server.
constexpr const char *initialSchema = R"sql(
CREATE TABLE players (
    id TEXT COLLATE "C" PRIMARY KEY,
    display_name TEXT NOT NULL,
    token_hash TEXT NOT NULL UNIQUE,
    recovery_hash TEXT NOT NULL UNIQUE,
    created_at BIGINT NOT NULL
);
CREATE TABLE scores (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    player_id TEXT COLLATE "C" NOT NULL REFERENCES players (id),
    leaderboard TEXT NOT NULL,
    value BIGINT NOT NULL,
    reported_at BIGINT NOT NULL,
    report_key TEXT
);
CREATE UNIQUE INDEX scores_report_key ON scores (player_id, report_key) WHERE report_key IS NOT NULL;
-- scope: 0 today, 1 week, 2 all time; period: the day, week or 0.
CREATE TABLE bests (
    leaderboard TEXT NOT NULL,
    scope SMALLINT NOT NULL,
    period BIGINT NOT NULL,
    player_id TEXT COLLATE "C" NOT NULL REFERENCES players (id),
    value BIGINT NOT NULL,
    reported_at BIGINT NOT NULL,
    PRIMARY KEY (leaderboard, scope, period, player_id)
);
CREATE INDEX bests_order ON bests (leaderboard, scope, period, value DESC, reported_at, player_id);
-- How many players have each value as their best: a rank sums the counts
-- above a value, bounded by the board's score range, not by its players.
CREATE TABLE best_counts (
    leaderboard TEXT NOT NULL,
    scope SMALLINT NOT NULL,
    period BIGINT NOT NULL,
    value BIGINT NOT NULL,
    players BIGINT NOT NULL,
    PRIMARY KEY (leaderboard, scope, period, value)
);
CREATE TABLE achievements (
    player_id TEXT COLLATE "C" NOT NULL REFERENCES players (id),
    identifier TEXT NOT NULL,
    percent DOUBLE PRECISION NOT NULL,
    updated_at BIGINT NOT NULL,
    PRIMARY KEY (player_id, identifier)
);
CREATE TABLE challenges (
    id TEXT COLLATE "C" PRIMARY KEY,
    sequence BIGINT GENERATED ALWAYS AS IDENTITY,
    from_player TEXT COLLATE "C" NOT NULL REFERENCES players (id),
    to_player TEXT COLLATE "C" NOT NULL REFERENCES players (id),
    leaderboard TEXT NOT NULL,
    value BIGINT NOT NULL,
    message TEXT NOT NULL,
    sent_at BIGINT NOT NULL
);
CREATE INDEX challenges_received ON challenges (to_player, sent_at DESC, sequence DESC);
)sql";

constexpr std::array migrationSteps{
    PostgresMigrations::Step{1, initialSchema},
};

} // namespace

std::span<const PostgresMigrations::Step> PostgresMigrations::steps()
{
    return migrationSteps;
}

int PostgresMigrations::apply(PostgresConnection &connection)
{
    int applied = 0;
    try {
        // A bounded wait: a server stuck behind another's migration fails
        // with a clear error rather than hanging.
        connection.command("SET lock_timeout = '60s'");
        connection.exec("SELECT pg_advisory_lock($1)", {lockKey});
        try {
            connection.command("CREATE TABLE IF NOT EXISTS schema_migrations ("
                               "version INTEGER PRIMARY KEY, applied_at TIMESTAMPTZ NOT NULL DEFAULT now())");
            std::set<int> done;
            const PostgresResult rows = connection.exec("SELECT version FROM schema_migrations");
            for (int r = 0; r < rows.rows(); ++r)
                done.insert(static_cast<int>(rows.integer(r, 0)));
            for (const Step &step : steps()) {
                if (done.count(step.version))
                    continue;
                connection.command("BEGIN");
                connection.command(step.sql);
                connection.exec("INSERT INTO schema_migrations (version) VALUES ($1)", {std::to_string(step.version)});
                connection.command("COMMIT");
                ++applied;
            }
        } catch (...) {
            if (connection.connected()) {
                try {
                    connection.command("ROLLBACK");
                    connection.exec("SELECT pg_advisory_unlock($1)", {lockKey});
                } catch (const StoreError &) {
                    // The session ends with the connection; so does the lock.
                }
            }
            throw;
        }
        connection.exec("SELECT pg_advisory_unlock($1)", {lockKey});
        connection.command("RESET lock_timeout");
    } catch (const StoreError &e) {
        throw StoreError(std::string("migrating the PostgreSQL schema: ") + e.what());
    }
    return applied;
}

} // namespace kestrune::server
