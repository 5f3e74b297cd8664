#include "hintadvisor.h"

#include "game/solver/codespace.h"
#include "game/solver/entropystrategy.h"

namespace kestrune {

std::optional<Hint> HintAdvisor::advise(const std::vector<Shot> &shots)
{
    const auto candidates = CodeSpace::consistentCodes(shots);
    if (!candidates || candidates->empty())
        return std::nullopt;
    auto shot = EntropyStrategy::shared().nextConsistentShot(shots);
    if (!shot)
        return std::nullopt;
    return Hint{candidates->size(), std::move(*shot)};
}

} // namespace kestrune
