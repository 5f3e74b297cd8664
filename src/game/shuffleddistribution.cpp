#include "shuffleddistribution.h"

#include <cassert>
#include <numeric>
#include <utility>

namespace kestrune {

ShuffledDistribution::ShuffledDistribution(RandomSource &random, int lowest, int highest)
    : m_random(random)
    , m_deck(static_cast<std::size_t>(highest - lowest + 1))
{
    assert(lowest <= highest);
    std::iota(m_deck.begin(), m_deck.end(), lowest);
    shuffle();
}

int ShuffledDistribution::nextInt()
{
    if (m_next == m_deck.size())
        shuffle();
    return m_deck[m_next++];
}

void ShuffledDistribution::shuffle()
{
    // Fisher-Yates with unbiased indices.
    for (std::size_t i = m_deck.size() - 1; i > 0; --i)
        std::swap(m_deck[i], m_deck[m_random.uniformIndex(i + 1)]);
    m_next = 0;
}

} // namespace kestrune
