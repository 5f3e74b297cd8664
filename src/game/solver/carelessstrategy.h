#pragma once

#include "strategy.h"

namespace kestrune {

class RandomSource;

// A player who does not always think: with probability `carefulShare` a
// code drawn uniformly among those that agree with every answer so far,
// otherwise any code not yet played. It still learns from every answer when
// it is careful, so it breaks most codes within ten shots, only later than
// a player who is careful every time. `random` must outlive the strategy;
// same thread as the random source.
class CarelessStrategy final : public Strategy
{
public:
    // `carefulShare` is clamped to 0..1.
    CarelessStrategy(RandomSource &random, double carefulShare);

    double carefulShare() const { return m_carefulShare; }

    std::optional<std::string> nextShot(const std::vector<Shot> &history) override;

private:
    RandomSource &m_random;
    double m_carefulShare;
};

} // namespace kestrune
