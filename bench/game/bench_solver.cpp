// First the decisions a player waits for, each measured in a fresh child
// process where the first of a process costs more: the thread CPU of a first
// hint, a hint after one shot, and the hard computer's first three turns,
// with the memory each leaves behind. Then every secret played with every
// strategy: mean and worst number of shots, how many secrets took more than
// the ten shots a game allows, the slowest single decision. The computer's
// strengths come last, each as it plays in a match.
// Prints a table; run from a release build for figures worth comparing.
#include "game/computer/computerstrength.h"
#include "game/computer/hintadvisor.h"
#include "game/random/randomsource.h"
#include "game/solver/carelessstrategy.h"
#include "game/solver/codespace.h"
#include "game/solver/entropystrategy.h"
#include "game/solver/firstconsistentstrategy.h"
#include "game/solver/minimaxstrategy.h"
#include "game/solver/randomconsistentstrategy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

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

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A line of /proc/self/status in kB, such as "VmRSS" or "VmHWM".
long statusKb(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

// Runs `steps` in a child forked before the parent touched the solver, so
// that the first step is the first of its process; prints each step's thread
// CPU and the resident memory at the end.
void measureCold(const char *name, const std::vector<std::function<void()>> &steps)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const long rssBefore = statusKb("VmRSS");
        std::printf("%-34s", name);
        for (const auto &step : steps) {
            const double start = threadCpuMs();
            step();
            std::printf("  %7.2f ms", threadCpuMs() - start);
        }
        std::printf("   resident +%ld kB (peak %ld kB)\n", statusKb("VmRSS") - rssBefore, statusKb("VmHWM"));
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// The slowest of a hint after each possible answer to one first shot, with
// the solver already warm: what any later first-round hint costs.
double slowestWarmHintAfter(const std::string &shot)
{
    double slowest = 0;
    for (int answer = 0; answer < CodeSpace::answerCount; ++answer) {
        const std::vector<Shot> history{{shot, CodeSpace::answerResult(answer)}};
        if (!CodeSpace::historyError(history).empty())
            continue;
        const double start = threadCpuMs();
        HintAdvisor::advise(history);
        slowest = std::max(slowest, threadCpuMs() - start);
    }
    return slowest;
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
    std::printf("%-22s mean %.4f  worst %2d  beyond 10: %5.2f%%  slowest decision %6.2f ms (99.9%% below %5.2f ms)  "
                "prepare %5.1f ms  "
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
    // A first shot that is not the solver's opening, scored against 2479.
    const std::vector<Shot> oneShot{{"1357", {0, 1}}};
    std::printf("cold decisions (thread CPU of each step, in a fresh process)\n");
    measureCold("first hint", {[] { HintAdvisor::advise({}); }});
    measureCold("hint after one shot", {[&] { HintAdvisor::advise(oneShot); }});
    measureCold("first hint, then after one shot",
                {[] { HintAdvisor::advise({}); }, [&] { HintAdvisor::advise(oneShot); }});
    // The hard computer against 5798, one turn per step, as a match plays it.
    std::shared_ptr<Strategy> hard;
    std::vector<Shot> computerShots;
    const auto computerTurn = [&] {
        if (!hard) {
            static SplitMix unused;
            hard = ComputerStrengths::makeStrategy(ComputerStrength::hard, unused);
        }
        const std::string shot = hard->nextShot(computerShots).value_or("");
        const int answer = CodeSpace::answer(CodeSpace::indexOf("5798"), CodeSpace::indexOf(shot));
        computerShots.push_back({shot, CodeSpace::answerResult(answer)});
    };
    measureCold("hard computer turns 1, 2, 3", {computerTurn, computerTurn, computerTurn});

    const long rssBeforeSolver = statusKb("VmRSS");
    std::printf("slowest warm hint after one shot: %.2f ms\n", slowestWarmHintAfter("1357"));

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
    // Everything above shares one process; what the solver keeps stays here.
    std::printf("resident memory the solver keeps after all games: %+ld kB\n", statusKb("VmRSS") - rssBeforeSolver);
    return 0;
}
