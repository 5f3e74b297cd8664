// Reads and writes of the PostgreSQL store with 1,000,000 scores stored
// (one per player, over three days of one week), on a throwaway cluster
// with fsync on. Ranks come from the per-value counts, so their cost should
// follow the score range, not the number of players.
#include "gameservice/server/store/postgres/postgresstore.h"
#include "postgrescluster.h"

#include <libpq-fe.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

using namespace kestrune::server;

namespace {

constexpr Millis day = 86'400'000;
// A Saturday noon: the two days before it are in the same week.
constexpr Millis noon = 20'001 * day + day / 2;
constexpr std::int64_t storedScores = 1'000'000;
const std::string board = "sp_leaderboard";

PostgresStore *store = nullptr;

std::string playerId(std::int64_t i)
{
    char id[18];
    std::snprintf(id, sizeof id, "K%016llx", static_cast<unsigned long long>(i));
    return id;
}

// One transaction of set-based inserts: a million reportScore calls would
// take the better part of an hour at fsync per commit.
void seed(const std::string &conninfo)
{
    PGconn *c = PQconnectdb(conninfo.c_str());
    auto run = [&](const std::string &sql) {
        PGresult *r = PQexec(c, sql.c_str());
        const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
        const std::string error = ok ? "" : PQresultErrorMessage(r);
        PQclear(r);
        if (!ok) {
            PQfinish(c);
            throw std::runtime_error("seeding failed: " + error); // unwinds, so the cluster is removed
        }
    };
    const std::string n = std::to_string(storedScores), today = std::to_string(noon / day),
                      week = std::to_string(periodOf(Scope::Week, noon));
    run("BEGIN");
    run("INSERT INTO players (id, display_name, token_hash, recovery_hash, created_at) "
        "SELECT 'K' || lpad(to_hex(i), 16, '0'), 'Player ' || i, md5(i::text), md5('r' || i), 0 "
        "FROM generate_series(1::bigint, "
        + n + ") AS i");
    // Values spread over 0..1000, times over today and the two days before.
    run("INSERT INTO scores (player_id, leaderboard, value, reported_at, report_key) "
        "SELECT 'K' || lpad(to_hex(i), 16, '0'), 'sp_leaderboard', (i * 7919) % 1001, "
        + std::to_string(noon) + " - (i % 3) * " + std::to_string(day)
        + " - i % 1000, NULL "
          "FROM generate_series(1::bigint, "
        + n + ") AS i");
    run("INSERT INTO bests SELECT leaderboard, 2, 0, player_id, value, reported_at FROM scores");
    run("INSERT INTO bests SELECT leaderboard, 1, " + week + ", player_id, value, reported_at FROM scores");
    run("INSERT INTO bests SELECT leaderboard, 0, " + today
        + ", player_id, value, reported_at FROM scores "
          "WHERE reported_at / "
        + std::to_string(day) + " = " + today);
    run("INSERT INTO best_counts SELECT leaderboard, scope, period, value, count(*) FROM bests "
        "GROUP BY leaderboard, scope, period, value");
    run("COMMIT");
    run("VACUUM ANALYZE");
    PQfinish(c);
}

void BM_Top50(benchmark::State &state)
{
    const auto scope = static_cast<Scope>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(store->topScores(board, scope, noon, 50));
}
BENCHMARK(BM_Top50)->Arg(int(Scope::Today))->Arg(int(Scope::AllTime))->Unit(benchmark::kMicrosecond);

void BM_PlayerRank(benchmark::State &state)
{
    std::mt19937_64 random(1);
    for (auto _ : state) {
        const auto id = playerId(std::uniform_int_distribution<std::int64_t>(1, storedScores)(random));
        benchmark::DoNotOptimize(store->playerScore(board, Scope::AllTime, noon, id));
    }
}
BENCHMARK(BM_PlayerRank)->Unit(benchmark::kMicrosecond);

void BM_AroundMe(benchmark::State &state)
{
    std::mt19937_64 random(2);
    for (auto _ : state) {
        const auto id = playerId(std::uniform_int_distribution<std::int64_t>(1, storedScores)(random));
        benchmark::DoNotOptimize(store->aroundPlayer(board, Scope::AllTime, noon, id, 5));
    }
}
BENCHMARK(BM_AroundMe)->Unit(benchmark::kMicrosecond);

void BM_EntryCount(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(store->entryCount(board, Scope::AllTime, noon));
}
BENCHMARK(BM_EntryCount)->Unit(benchmark::kMicrosecond);

// Each report is its own committed transaction (fsync on): several threads
// show how commits overlap.
void BM_ReportScore(benchmark::State &state)
{
    static std::atomic<std::uint64_t> seeds{100};
    std::mt19937_64 random(seeds++);
    for (auto _ : state) {
        const auto id = playerId(std::uniform_int_distribution<std::int64_t>(1, storedScores)(random));
        const auto value = std::uniform_int_distribution<std::int64_t>(0, 1000)(random);
        benchmark::DoNotOptimize(store->reportScore({id, board, value, noon, {}}));
    }
}
BENCHMARK(BM_ReportScore)->Threads(1)->Threads(8)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    std::unique_ptr<test::PostgresCluster> cluster;
    try {
        cluster = std::make_unique<test::PostgresCluster>();
        const std::string conninfo = cluster->createDatabase("bench");
        PostgresStore opened(conninfo, 8);
        const auto started = std::chrono::steady_clock::now();
        seed(conninfo);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr, "seeded %lld scores in %.1f s; all time %lld, today %lld entries\n",
                     static_cast<long long>(storedScores), seconds,
                     static_cast<long long>(opened.entryCount(board, Scope::AllTime, noon)),
                     static_cast<long long>(opened.entryCount(board, Scope::Today, noon)));
        store = &opened;
        benchmark::RunSpecifiedBenchmarks();
        store = nullptr;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
