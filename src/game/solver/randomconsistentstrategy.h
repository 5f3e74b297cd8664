#pragma once

#include "strategy.h"

namespace kestrune {

class RandomSource;

// A code drawn uniformly among those that agree with every answer so far.
// `random` must outlive the strategy; same thread as the random source.
class RandomConsistentStrategy final : public Strategy
{
public:
    explicit RandomConsistentStrategy(RandomSource &random);

    std::optional<std::string> nextShot(const std::vector<Shot> &history) override;

private:
    RandomSource &m_random;
};

} // namespace kestrune
