#pragma once

#include "random/randomsource.h"

#include <vector>

namespace kestrune {

// A shuffled die: deals every value of [lowest, highest] once, in random
// order, before any value repeats; then shuffles again.
class ShuffledDistribution
{
public:
    ShuffledDistribution(RandomSource &random, int lowest, int highest);

    int nextInt();

private:
    void shuffle();

    RandomSource &m_random;
    std::vector<int> m_deck;
    std::size_t m_next = 0;
};

} // namespace kestrune
