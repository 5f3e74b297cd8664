// Every secret played with every strategy: mean and worst number of shots,
// how many secrets took more than the ten shots a game allows, the slowest
// single decision, and the time to build the answer table. The computer's
// strengths come last, each as it plays in a match.
// Prints a table; run from a release build for figures worth comparing.
#include "game/computer/computerstrength.h"
#include "game/randomsource.h"
#include "game/solver/carelessstrategy.h"
#include "game/solver/codespace.h"
#include "game/solver/entropystrategy.h"
#include "game/solver/firstconsistentstrategy.h"
#include "game/solver/minimaxstrategy.h"
#include "game/solver/randomconsistentstrategy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>

using namespace kestrune;
using Clock = std::chrono::steady_clock;

namespace {

// A fixed seed, so that runs compare.
class SplitMix final : public RandomSource
{
public:
    std::uint64_t next64() override
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_state = 2026;
};

// What a player who follows every hint plays: the entropy rule among the
// codes still possible.
class PossibleOnly final : public Strategy
{
public:
    explicit PossibleOnly(PartitionStrategy &inner)
        : m_inner(inner)
    {
    }
    std::optional<std::string> nextShot(const std::vector<Shot> &history) override
    {
        return m_inner.nextConsistentShot(history);
    }

private:
    PartitionStrategy &m_inner;
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void playAll(const char *name, Strategy &strategy, const std::function<void()> &prepare)
{
    const auto prepareStart = Clock::now();
    prepare();
    const double prepareMs = millisecondsSince(prepareStart);

    long total = 0;
    int worst = 0;
    int beyondTen = 0;
    double slowest = 0;
    std::map<int, int> byShots;
    std::vector<double> decisions;
    const auto start = Clock::now();
    for (int secret = 0; secret < CodeSpace::size; ++secret) {
        std::vector<Shot> history;
        while (history.empty() || history.back().result.bulls != 4) {
            const auto decisionStart = Clock::now();
            const auto shot = strategy.nextShot(history);
            decisions.push_back(millisecondsSince(decisionStart));
            slowest = std::max(slowest, decisions.back());
            if (!shot || history.size() > 60) {
                std::printf("%s: lost the secret %s\n", name, CodeSpace::code(secret).c_str());
                return;
            }
            const int answer = CodeSpace::answer(secret, CodeSpace::indexOf(*shot));
            history.push_back({*shot, CodeSpace::answerResult(answer)});
        }
        const int shots = static_cast<int>(history.size());
        total += shots;
        worst = std::max(worst, shots);
        beyondTen += shots > 10 ? 1 : 0;
        ++byShots[shots];
    }
    const double allMs = millisecondsSince(start);
    // A preempted decision shows as slow on a busy machine; the 99.9th
    // percentile tells the strategy's own cost apart from that.
    std::sort(decisions.begin(), decisions.end());
    const double p999 = decisions[decisions.size() * 999 / 1000];
    std::printf("%-22s mean %.4f  worst %2d  beyond 10: %5.2f%%  slowest decision %6.2f ms (99.9%% below %5.2f ms)  prepare %5.1f ms  "
                "all games %6.0f ms  |",
                name, static_cast<double>(total) / CodeSpace::size, worst, 100.0 * beyondTen / CodeSpace::size, slowest,
                p999, prepareMs, allMs);
    for (const auto &[shots, count] : byShots)
        std::printf(" %d:%d", shots, count);
    std::printf("\n");
}

} // namespace

int main()
{
    const auto tableStart = Clock::now();
    CodeSpace::prepare();
    std::printf("answer table built in %.1f ms\n", millisecondsSince(tableStart));

    FirstConsistentStrategy first;
    playAll("first consistent", first, [] {});
    MinimaxStrategy minimax;
    playAll("minimax", minimax, [&] { minimax.prepare(); });
    EntropyStrategy entropy;
    playAll("entropy", entropy, [&] { entropy.prepare(); });
    PossibleOnly hints(entropy);
    playAll("hints (possible)", hints, [] {});
    SplitMix random;
    RandomConsistentStrategy randomConsistent(random);
    playAll("random consistent", randomConsistent, [] {});

    // The strengths must stay apart: easy well above normal, hard below it.
    for (ComputerStrength strength : ComputerStrengths::all) {
        SplitMix strengthRandom;
        const auto strategy = ComputerStrengths::makeStrategy(strength, strengthRandom);
        const std::string name = "strength " + ComputerStrengths::key(strength);
        playAll(name.c_str(), *strategy, [] {});
    }
    return 0;
}
