// The cache is kept in memory and written behind: how long does the caller
// wait, and how long does the write itself take, as the number of scores
// waiting in it grows?
#include "gameservice/client/gameservicemanager.h"
#include "memorystore.h"

#include <QCborArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kestrune;

namespace {

const QString board = QStringLiteral("sp_leaderboard");

Score scoreOf(std::int64_t value)
{
    Score s(board);
    s.setValue(value);
    return s;
}

// A manager without the framework (everything goes to the cache), its cache
// holding `cached` scores.
struct Setup
{
    explicit Setup(std::int64_t cached)
    {
        GameServiceManager::Environment e;
        e.userDefaults = std::make_shared<test::MemoryStore>();
        e.homeFolder = dir.path();
        manager = std::make_unique<GameServiceManager>(e);
        GameServiceCache cache(dir.path());
        cache.update([&](QCborMap &root) {
            QCborArray saved;
            for (std::int64_t i = 1; i <= cached; ++i)
                saved.append(scoreOf(i).archived());
            root.insert(QStringLiteral("SavedScores"), saved);
            root.insert(manager->localPlayerId(), QCborMap{{board, qint64(500)}});
            return true;
        });
        manager->setupManager(); // reads the file just written
    }

    QTemporaryDir dir;
    std::unique_ptr<GameServiceManager> manager;
};

// What the caller waits for: a score goes to the end of the waiting list in
// memory and its write is posted. The list grows by one an iteration.
void BM_SaveScoreToReportLater(benchmark::State &state)
{
    Setup setup(state.range(0));
    for (auto _ : state) {
        setup.manager->saveScoreToReportLater(scoreOf(7));
        state.PauseTiming();
        setup.manager->flushCache();
        state.ResumeTiming();
    }
    state.SetLabel(QStringLiteral("%1 cached").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_SaveScoreToReportLater)->Arg(10)->Arg(100)->Arg(1000)->Iterations(300)->Unit(benchmark::kMicrosecond);

// The write behind it, on the cache's own thread: the whole file, atomically.
void BM_WriteBehind(benchmark::State &state)
{
    Setup setup(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        setup.manager->saveScoreToReportLater(scoreOf(7));
        state.ResumeTiming();
        setup.manager->flushCache();
    }
    state.SetLabel(QStringLiteral("%1 cached").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_WriteBehind)->Arg(10)->Arg(100)->Arg(1000)->Iterations(300)->Unit(benchmark::kMicrosecond);

// Reading only, from memory.
void BM_HighScoreForLeaderboard(benchmark::State &state)
{
    Setup setup(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.manager->highScoreForLeaderboard(board));
}
BENCHMARK(BM_HighScoreForLeaderboard)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
