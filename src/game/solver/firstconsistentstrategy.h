#pragma once

#include "strategy.h"

namespace kestrune {

// The lowest code that agrees with every answer so far. Any thread.
class FirstConsistentStrategy final : public Strategy
{
public:
    std::optional<std::string> nextShot(const std::vector<Shot> &history) override;
};

} // namespace kestrune
