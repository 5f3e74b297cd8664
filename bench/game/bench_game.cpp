// Speed of the rules: one shot's scoring, and a whole single-player game
// played through the match with the real settings store.
#include "game/game.h"
#include "game/gamemanager.h"
#include "game/gameservicereporting.h"
#include "platform/settingsstore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace kestrune;

namespace {

// Keeps progress in memory, as the client's cache would, without files.
class NullGameService final : public GameServiceReporting
{
public:
    double progressForAchievement(const std::string &id) override { return progress[id]; }
    void saveAndReportAchievement(const std::string &id, double p, bool) override { progress[id] = p; }
    void saveAndReportScore(std::int64_t, const std::string &, SortOrder) override {}
    std::map<std::string, double> progress;
};

void scoreOneShot(benchmark::State &state)
{
    const std::string code = "1234";
    const std::string shot = "1243";
    for (auto _ : state)
        benchmark::DoNotOptimize(Game::score(code, shot));
}
BENCHMARK(scoreOneShot);

// One shot through Game::shot with its subscribers, the game started afresh
// whenever it ends.
void shotChain(benchmark::State &state)
{
    auto game = std::make_unique<Game>(GameEnvironment{nullptr, nullptr, nullptr, nullptr, [] { return "1234"; }});
    std::int64_t bulls = 0;
    rx::DisposeBag bag;
    const char *shots[] = {"5678", "5679"};
    int i = 0;
    for (auto _ : state) {
        if (game->isEnded()) {
            state.PauseTiming();
            game = std::make_unique<Game>(GameEnvironment{nullptr, nullptr, nullptr, nullptr, [] { return "1234"; }});
            state.ResumeTiming();
        }
        bulls += game->shot(shots[i++ & 1])->bulls;
    }
    benchmark::DoNotOptimize(bulls);
}
BENCHMARK(shotChain);

// A single-player match won with its fifth shot: five shots, the match
// state, statistics written and synchronised to a real settings file, the
// score and the achievements.
void singlePlayerGame(benchmark::State &state)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("settings.conf"));
    NullGameService service;
    const char *shots[] = {"5678", "4321", "1243", "1235", "1234"};
    for (auto _ : state) {
        auto manager =
            GameManager::create(1, GameEnvironment{nullptr, &service, &store, nullptr, [] { return "1234"; }});
        for (const char *shot : shots)
            manager->currentGame()->shot(shot);
        benchmark::DoNotOptimize(manager->gameState());
    }
}
BENCHMARK(singlePlayerGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
