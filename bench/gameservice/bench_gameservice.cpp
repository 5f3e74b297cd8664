// The cache file is read and written whole by every operation; how does that
// scale with the number of scores waiting in it?
#include "gameservice/gameservicemanager.h"
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

// Brings the cache back to the size it had before the measured operation.
void dropLastSavedScore(GameServiceCache &cache)
{
    cache.update([](QCborMap &root) {
        QCborArray saved = root.value(QStringLiteral("SavedScores")).toArray();
        saved.removeLast();
        root.insert(QStringLiteral("SavedScores"), saved);
        return true;
    });
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
        manager->setupManager();
        GameServiceCache cache(dir.path());
        cache.update([&](QCborMap &root) {
            QCborArray saved;
            for (std::int64_t i = 1; i <= cached; ++i)
                saved.append(scoreOf(i).archived());
            root.insert(QStringLiteral("SavedScores"), saved);
            root.insert(manager->localPlayerId(), QCborMap{{board, qint64(500)}});
            return true;
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<GameServiceManager> manager;
};

// One read-change-write cycle: a score goes to the end of the waiting list.
void BM_SaveScoreToReportLater(benchmark::State &state)
{
    Setup setup(state.range(0));
    GameServiceCache cache(setup.dir.path());
    for (auto _ : state) {
        setup.manager->saveScoreToReportLater(scoreOf(7));
        state.PauseTiming();
        dropLastSavedScore(cache);
        state.ResumeTiming();
    }
    state.SetLabel(QStringLiteral("%1 cached").arg(state.range(0)).toStdString());
}
BENCHMARK(BM_SaveScoreToReportLater)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Reading only: the whole file is decoded for one number.
void BM_HighScoreForLeaderboard(benchmark::State &state)
{
    Setup setup(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.manager->highScoreForLeaderboard(board));
}
BENCHMARK(BM_HighScoreForLeaderboard)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A report that does not beat the best and goes to the cache: one read and
// one read-change-write.
void BM_SaveAndReportScoreOffline(benchmark::State &state)
{
    Setup setup(state.range(0));
    GameServiceCache cache(setup.dir.path());
    for (auto _ : state) {
        setup.manager->saveAndReportScore(100, board, 0);
        state.PauseTiming();
        dropLastSavedScore(cache);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveAndReportScoreOffline)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
