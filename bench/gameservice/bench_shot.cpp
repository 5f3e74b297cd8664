// How long the GUI thread is held by one shot, with the program's own stores:
// statistics in the settings file, the game service with its cache file, and
// the analytics log. The writes themselves happen behind, on other threads;
// between iterations they are let finish, so each shot starts from quiet.
#include "game/game.h"
#include "game/gamemanager.h"
#include "gameservice/gameserviceenvironment.h"
#include "gameservice/gameservicemanager.h"
#include "platform/apppaths.h"
#include "platform/backgroundanalytics.h"
#include "platform/backgroundsyncstore.h"
#include "platform/fileanalytics.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

using namespace kestrune;

namespace {

// CPU time of the calling thread: what the GUI thread spends, whatever else
// the machine is doing.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct Program
{
    Program()
        : folder((AppPaths::setDataFolder(dir.path()), dir.path()))
        , store(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.conf"))))
        , analytics(std::make_unique<FileAnalytics>(dir.filePath(QStringLiteral("analytics.jsonl"))))
        , service(GameServiceEnvironment::local(dir.path()))
    {
        service.setupManager();
    }

    void settle()
    {
        store.flush();
        analytics.flush();
        service.flushCache();
    }

    QTemporaryDir dir;
    QString folder; // every file of the program goes here, never to the user's
    BackgroundSyncStore store;
    BackgroundAnalytics analytics;
    GameServiceManager service;
};

// Plays a single-player match to its `measured` shot (1-based) and times only
// that shot; the fifth shot wins.
void timeShot(benchmark::State &state, int measured)
{
    Program program;
    const char *shots[] = {"5678", "4321", "1243", "1235", "1234"};
    double cpu = 0;
    for (auto _ : state) {
        auto manager = GameManager::create(
            1, GameEnvironment{nullptr, &program.service, &program.store, &program.analytics, [] { return "1234"; }});
        for (int i = 1; i <= measured; ++i) {
            if (i < measured) {
                manager->currentGame()->shot(shots[i - 1]);
                continue;
            }
            program.settle();
            const double cpuStart = threadSeconds();
            const auto start = std::chrono::steady_clock::now();
            manager->currentGame()->shot(shots[i - 1]);
            const auto end = std::chrono::steady_clock::now();
            cpu += threadSeconds() - cpuStart;
            state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        }
        benchmark::DoNotOptimize(manager->gameState());
        // Delegate notifications wait for an event loop that never runs here.
        QCoreApplication::removePostedEvents(nullptr);
    }
    state.counters["gui_thread_cpu_us"] = benchmark::Counter(cpu * 1e6 / double(state.iterations()));
    program.settle();
}

// The shot that wins: statistics, the score, five achievements, events.
void winningShot(benchmark::State &state)
{
    timeShot(state, 5);
}
BENCHMARK(winningShot)->UseManualTime()->Unit(benchmark::kMicrosecond);

// An ordinary shot in the middle of a match.
void ordinaryShot(benchmark::State &state)
{
    timeShot(state, 2);
}
BENCHMARK(ordinaryShot)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the network monitor and the service want one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
