// Reads and writes of the SQLite store at a million stored scores: ranks and
// windows must cost the score range, not the number of players.
#include "gameservice/server/store/sqlitestore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

using namespace kestrune::server;

namespace {

constexpr int scoresPerPlayer = 5; // 1,000,000 scores with the default players

// BENCH_STORE_PLAYERS seeds fewer (or more) for a quick look with a profiler.
int playerCount()
{
    const char *text = std::getenv("BENCH_STORE_PLAYERS");
    return text ? std::max(1, std::atoi(text)) : 200'000;
}
constexpr Millis day = 86'400'000;
constexpr Millis firstDay = 1'796'601'600'000; // a Monday; the seed covers it and the two days after
constexpr Millis now = firstDay + 2 * day + 43'200'000;
const std::string board = "sp_leaderboard";

// The seeded file, made once per run and removed at exit.
struct Seeded
{
    Seeded()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_store.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder = pattern;
        store = std::make_unique<SqliteStore>((folder / "store.sqlite").string());

        const auto started = std::chrono::steady_clock::now();
        std::mt19937_64 random(42);
        std::uniform_int_distribution<std::int64_t> value(0, 1000);
        std::uniform_int_distribution<Millis> within(0, day - 1);
        const int count = playerCount();
        for (int i = 0; i < count; ++i) {
            const auto n = std::to_string(i);
            players.push_back(store->createPlayer("Player " + n, "token-" + n, "recovery-" + n, firstDay).id);
        }
        std::vector<ScoreReport> reports;
        reports.reserve(std::size_t(count) * scoresPerPlayer);
        for (int r = 0; r < scoresPerPlayer; ++r) {
            for (int i = 0; i < count; ++i) {
                // Two reports of each player on the last day, so that today's board is full.
                const Millis at = firstDay + Millis(std::min(r, 2)) * day + within(random);
                reports.push_back(
                    ScoreReport{players[std::size_t(i)], board, value(random), at, "seed-" + std::to_string(r)});
            }
        }
        store->reportScores(reports);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr, "seeded %d players and %zu scores in %.1f s\n", count, reports.size(), seconds);
    }

    ~Seeded()
    {
        store.reset();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::unique_ptr<SqliteStore> store;
    std::vector<std::string> players;
};

Seeded &seeded()
{
    static Seeded instance;
    return instance;
}

const std::string &randomPlayer()
{
    thread_local std::mt19937 random(std::random_device{}());
    auto &players = seeded().players;
    return players[std::uniform_int_distribution<std::size_t>(0, players.size() - 1)(random)];
}

Scope scopeOf(const benchmark::State &state)
{
    return Scope(state.range(0));
}

void BM_TopScores(benchmark::State &state)
{
    auto &store = *seeded().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.topScores(board, scopeOf(state), now, 50));
}
BENCHMARK(BM_TopScores)->ArgName("scope")->Arg(int(Scope::Today))->Arg(int(Scope::AllTime));

void BM_PlayerScore(benchmark::State &state)
{
    auto &store = *seeded().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.playerScore(board, scopeOf(state), now, randomPlayer()));
}
BENCHMARK(BM_PlayerScore)->ArgName("scope")->Arg(int(Scope::Today))->Arg(int(Scope::AllTime));

void BM_AroundPlayer(benchmark::State &state)
{
    auto &store = *seeded().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.aroundPlayer(board, scopeOf(state), now, randomPlayer(), 5));
}
BENCHMARK(BM_AroundPlayer)->ArgName("scope")->Arg(int(Scope::Today))->Arg(int(Scope::AllTime));

void BM_EntryCount(benchmark::State &state)
{
    auto &store = *seeded().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.entryCount(board, Scope::AllTime, now));
}
BENCHMARK(BM_EntryCount);

// One committed report per iteration, from several threads at once: the
// writer is shared, so items/s is the store's write throughput.
void BM_ReportScore(benchmark::State &state)
{
    auto &store = *seeded().store;
    thread_local std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::int64_t> value(0, 1000);
    std::uniform_int_distribution<Millis> within(0, day - 1);
    const auto before = store.writeCounts();
    for (auto _ : state)
        store.reportScore(ScoreReport{randomPlayer(), board, value(random), firstDay + 2 * day + within(random), {}});
    state.SetItemsProcessed(state.iterations());
    if (state.thread_index() == 0) {
        // Group commit at work: how many reports shared a transaction (other
        // threads may still be finishing, so this is close, not exact).
        const auto after = store.writeCounts();
        state.counters["per_commit"] =
            double(after.writes - before.writes) / double(std::max(1LL, after.transactions - before.transactions));
    }
}
BENCHMARK(BM_ReportScore)->ThreadRange(1, 8)->UseRealTime();

// Reads while writes go on: readers never wait for the writer in WAL.
void BM_TopScoresWhileWriting(benchmark::State &state)
{
    auto &store = *seeded().store;
    thread_local std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::int64_t> value(0, 1000);
    for (auto _ : state) {
        if (state.thread_index() == 0)
            store.reportScore(ScoreReport{randomPlayer(), board, value(random), now, {}});
        else
            benchmark::DoNotOptimize(store.topScores(board, Scope::Today, now, 50));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TopScoresWhileWriting)->Threads(4)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
