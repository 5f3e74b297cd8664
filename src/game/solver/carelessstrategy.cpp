#include "carelessstrategy.h"

#include "codespace.h"
#include "game/random/randomsource.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kestrune {

namespace {

// Draws in thousandths: fine enough for any share worth playing at.
constexpr std::uint64_t drawScale = 1000;

} // namespace

CarelessStrategy::CarelessStrategy(RandomSource &random, double carefulShare)
    : m_random(random)
    , m_carefulShare(std::isnan(carefulShare) ? 0.0 : std::clamp(carefulShare, 0.0, 1.0))
{
}

std::optional<std::string> CarelessStrategy::nextShot(const std::vector<Shot> &history)
{
    const auto candidates = CodeSpace::consistentCodes(history);
    if (!candidates || candidates->empty())
        return std::nullopt;
    const auto careful = static_cast<std::uint64_t>(std::lround(m_carefulShare * drawScale));
    const auto carefulShot = [&] { return CodeSpace::code((*candidates)[m_random.uniformIndex(candidates->size())]); };
    if (m_random.uniformIndex(drawScale) < careful)
        return carefulShot();

    // Careless, but not so careless as to fire a shot it has already had
    // the answer to.
    std::vector<bool> played(CodeSpace::size, false);
    for (const Shot &shot : history)
        played[std::size_t(CodeSpace::indexOf(shot.code))] = true;
    std::vector<int> fresh;
    fresh.reserve(CodeSpace::size);
    for (int code = 0; code < CodeSpace::size; ++code) {
        if (!played[std::size_t(code)])
            fresh.push_back(code);
    }
    if (fresh.empty())
        return carefulShot();
    return CodeSpace::code(fresh[m_random.uniformIndex(fresh.size())]);
}

} // namespace kestrune
