#include "firstconsistentstrategy.h"

#include "codespace.h"

namespace kestrune {

std::optional<std::string> FirstConsistentStrategy::nextShot(const std::vector<Shot> &history)
{
    const auto candidates = CodeSpace::consistentCodes(history);
    if (!candidates || candidates->empty())
        return std::nullopt;
    return CodeSpace::code(candidates->front());
}

} // namespace kestrune
