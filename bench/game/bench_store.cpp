// What opening the store costs at start, and how soon the end of a game
// reaches the settings file, with the program's
// own store (statistics written behind, on the store's thread): alone, and
// while other settings are written in a steady stream from another thread.
// The time is the wall time from the end-of-game write call until the file
// on disk holds the new game count.
#include "game/statisticshelper.h"
#include "platform/backgroundsyncstore.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using namespace kestrune;
using Clock = std::chrono::steady_clock;

namespace {

struct Program
{
    Program()
        : fileName(dir.filePath(QStringLiteral("settings.conf")))
        , store([this] { return std::make_unique<SettingsStore>(fileName); })
    {
    }

    // The end of a won game, as the game manager writes it.
    void endGame(std::int64_t seconds) { StatisticsHelper::recordGame(store, true, seconds); }

    // Waits until the file holds `games` games; the seconds it took.
    double waitForGames(std::int64_t games, Clock::time_point since) const
    {
        const QByteArray line = "games=" + QByteArray::number(games) + '\n';
        for (;;) {
            QFile file(fileName);
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains(line))
                return std::chrono::duration<double>(Clock::now() - since).count();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    QTemporaryDir dir;
    QString fileName;
    BackgroundSyncStore store;
};

// Other settings changing all the time (window placement, options): one
// change and synchronisation every `interval`.
class Stream
{
public:
    Stream(KeyValueStore &store, std::chrono::microseconds interval)
        : m_thread([this, &store, interval] {
            for (std::int64_t n = 0; !m_stop; ++n) {
                store.setInteger("streamed", n);
                store.synchronize();
                std::this_thread::sleep_for(interval);
            }
        })
    {
    }
    ~Stream()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void endOfGameToDisk(benchmark::State &state, std::chrono::microseconds streamInterval)
{
    Program program;
    std::unique_ptr<Stream> stream;
    if (streamInterval.count() > 0)
        stream = std::make_unique<Stream>(program.store, streamInterval);
    std::int64_t games = 0;
    double worst = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        program.endGame(10);
        const double seconds = program.waitForGames(++games, start);
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
    }
    state.counters["worst_ms"] = worst * 1000.0;
}

void BM_EndOfGameToDisk(benchmark::State &state)
{
    endOfGameToDisk(state, std::chrono::microseconds(0));
}

// A change every 2 ms: faster than the file can be rewritten one change at
// a time, as with a window being dragged.
void BM_EndOfGameToDiskUnderStream(benchmark::State &state)
{
    endOfGameToDisk(state, std::chrono::microseconds(2000));
}

// What opening the store costs the program's start: the settings file of a
// player with some history (statistics, the computer's records, options,
// the service's flags) read whole, on the store's thread, while the caller
// waits; against making the settings object on the caller's thread alone,
// which reads the same file. Each open is of a file not seen before, as at
// a start (Qt keeps the files it has read); the store's going is not timed.
void timeOpening(benchmark::State &state, const std::function<std::unique_ptr<KeyValueStore>(const QString &)> &open)
{
    QTemporaryDir dir;
    const QString typical = dir.filePath(QStringLiteral("typical.conf"));
    {
        SettingsStore store(typical);
        for (int i = 0; i < 40; ++i)
            store.setInteger("figure" + std::to_string(i), std::int64_t(i) * 1000);
        store.setString("history", std::string(500, 'W'));
        store.setBoolean("scoresSyncedunknownPlayer", true);
        store.setBoolean("achievementsSyncedunknownPlayer", true);
        store.synchronize();
    }
    int n = 0;
    for (auto _ : state) {
        const QString fileName = dir.filePath(QStringLiteral("settings%1.conf").arg(++n));
        QFile::copy(typical, fileName);
        const auto start = Clock::now();
        auto store = open(fileName);
        benchmark::DoNotOptimize(store->contains("history"));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

void BM_OpenStore(benchmark::State &state)
{
    timeOpening(state, [](const QString &fileName) {
        return std::make_unique<BackgroundSyncStore>([&fileName] { return std::make_unique<SettingsStore>(fileName); });
    });
}

void BM_OpenSettingsHere(benchmark::State &state)
{
    timeOpening(state, [](const QString &fileName) { return std::make_unique<SettingsStore>(fileName); });
}

} // namespace

BENCHMARK(BM_OpenStore)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OpenSettingsHere)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_EndOfGameToDisk)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_EndOfGameToDiskUnderStream)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
