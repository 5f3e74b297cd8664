#include "randomconsistentstrategy.h"

#include "codespace.h"
#include "game/random/randomsource.h"

namespace kestrune {

RandomConsistentStrategy::RandomConsistentStrategy(RandomSource &random)
    : m_random(random)
{
}

std::optional<std::string> RandomConsistentStrategy::nextShot(const std::vector<Shot> &history)
{
    const auto candidates = CodeSpace::consistentCodes(history);
    if (!candidates || candidates->empty())
        return std::nullopt;
    return CodeSpace::code((*candidates)[m_random.uniformIndex(candidates->size())]);
}

} // namespace kestrune
