// How long the GUI thread is held by one shot, with the program's own stores:
// statistics in the settings file, the game service with its cache file, and
// the analytics log. The writes themselves happen behind, on other threads;
// between iterations they are let finish, so each shot starts from quiet.
#include "game/game.h"
#include "game/gamemanager.h"
#include "game/statisticshelper.h"
#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/gameservicemanager.h"
#include "gameservice/kit/servicekit.h"
#include "platform/apppaths.h"
#include "platform/backgroundanalytics.h"
#include "platform/backgroundsyncstore.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/fileanalytics.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

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
        , store([this] { return std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.conf"))); })
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

// A program just started, wired as the application wires it: the analytics
// configured, the statistics store with its repair, the game service set up
// and synchronised, every file in a folder of its own.
struct StartedProgram
{
    StartedProgram()
        : folder((AppPaths::setDataFolder(dir.path()), dir.path()))
        , analytics(std::make_unique<FileAnalytics>())
        , store([] { return std::make_unique<SettingsStore>(); })
        , service((analytics.configure(), GameServiceEnvironment::local(folder)))
    {
        service.setupManager();
        service.syncGameService();
        StatisticsHelper::repair(store);
    }

    // What the start set going has ended, as it has long before a first win.
    void settle()
    {
        for (int round = 0; round < 3; ++round) {
            DispatchQueue::waitForGlobal();
            if (auto kit = service.serviceKit())
                kit->waitForIdle();
            QCoreApplication::processEvents();
        }
        store.flush();
        analytics.flush();
        service.flushCache();
    }

    QTemporaryDir dir;
    QString folder;
    BackgroundAnalytics analytics;
    BackgroundSyncStore store;
    GameServiceManager service;
};

// The first win of a process: every iteration starts a new program in a new
// folder, so nothing the store, the service or the analytics learn from a
// first win is there yet. first_us is the very first iteration, when the
// process itself is new too (run this benchmark alone to see that); the
// median is what a busy machine's other processes inflate least. With
// `settingsBusy`, other settings (the window's place, say) were just handed
// to the store's writer and are being written when the shot comes.
void timeFirstWin(benchmark::State &state, bool settingsBusy)
{
    const char *shots[] = {"5678", "4321", "1243", "1235", "1234"};
    double cpu = 0;
    std::vector<double> walls;
    for (auto _ : state) {
        auto program = std::make_unique<StartedProgram>();
        auto manager = GameManager::create(1, GameEnvironment{nullptr, &program->service, &program->store,
                                                              &program->analytics, [] { return "1234"; }});
        for (int i = 0; i < 4; ++i)
            manager->currentGame()->shot(shots[i]);
        program->settle();
        if (settingsBusy) {
            for (std::int64_t x = 0; x < 3; ++x) {
                program->store.setInteger("windowX", x);
                program->store.synchronize();
            }
        }
        const double cpuStart = threadSeconds();
        const auto start = std::chrono::steady_clock::now();
        manager->currentGame()->shot(shots[4]);
        const auto end = std::chrono::steady_clock::now();
        cpu += threadSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(wall);
        walls.push_back(wall);
        benchmark::DoNotOptimize(manager->gameState());
        QCoreApplication::removePostedEvents(nullptr);
        manager.reset();
        program.reset();
        QCoreApplication::removePostedEvents(nullptr);
    }
    state.counters["gui_thread_cpu_us"] = benchmark::Counter(cpu * 1e6 / double(state.iterations()));
    state.counters["first_us"] = benchmark::Counter(walls.front() * 1e6);
    std::sort(walls.begin(), walls.end());
    state.counters["median_us"] = benchmark::Counter(walls[walls.size() / 2] * 1e6);
    state.counters["worst_us"] = benchmark::Counter(walls.back() * 1e6);
}

void firstWinningShot(benchmark::State &state)
{
    timeFirstWin(state, false);
}
BENCHMARK(firstWinningShot)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(40);

void firstWinningShotWhileSettingsAreWritten(benchmark::State &state)
{
    timeFirstWin(state, true);
}
BENCHMARK(firstWinningShotWhileSettingsAreWritten)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(40);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the network monitor and the service want one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
