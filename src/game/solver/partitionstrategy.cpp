#include "partitionstrategy.h"

#include <algorithm>

namespace kestrune {

namespace {

unsigned digitsOf(const std::string &code)
{
    unsigned mask = 0;
    for (const char c : code)
        mask |= 1u << (c - '0');
    return mask;
}

// Digits no earlier shot named are interchangeable: swapping them maps the
// codes still possible onto themselves, so shots that differ only by such a
// swap split them alike. Of each such family only the lowest member needs a
// look, the one whose new digits are the lowest unnamed ones, left to right.
bool isLowestOfItsFamily(const std::string &code, unsigned usedDigits)
{
    unsigned taken = usedDigits;
    for (const char c : code) {
        const unsigned bit = 1u << (c - '0');
        if (usedDigits & bit)
            continue;
        const unsigned free = ~taken & 0x3feu;
        if (bit != (free & (0u - free)))
            return false;
        taken |= bit;
    }
    return true;
}

std::vector<CodeSpace::Packed> packedCodes(const std::vector<int> &indices)
{
    std::vector<CodeSpace::Packed> packed;
    packed.reserve(indices.size());
    for (const int index : indices)
        packed.push_back(CodeSpace::packed(index));
    return packed;
}

// The candidates split by the answer each would give to `shot`. Counted by
// bulls and shared digits first, which scoring gives without a lookup.
PartitionStrategy::ClassSizes split(CodeSpace::Packed shot, const std::vector<CodeSpace::Packed> &candidates)
{
    std::array<int, CodeSpace::bullsAndSharedCount> counts{};
    for (const CodeSpace::Packed code : candidates)
        ++counts[static_cast<std::size_t>(CodeSpace::bullsAndShared(code, shot))];
    PartitionStrategy::ClassSizes sizes{};
    for (std::size_t key = 0; key < counts.size(); ++key)
        sizes[CodeSpace::denseByBullsAndShared[key]] += counts[key];
    return sizes;
}

} // namespace

void PartitionStrategy::prepare()
{
    std::call_once(m_openingOnce, [this] {
        std::vector<int> all(CodeSpace::size);
        for (int i = 0; i < CodeSpace::size; ++i)
            all[static_cast<std::size_t>(i)] = i;
        m_opening = bestShot(all, 0);
        const CodeSpace::Packed opening = CodeSpace::packed(m_opening);
        std::array<std::vector<int>, CodeSpace::answerCount> classes;
        for (int code = 0; code < CodeSpace::size; ++code)
            classes[static_cast<std::size_t>(CodeSpace::answer(CodeSpace::packed(code), opening))].push_back(code);
        for (int answer = 0; answer < CodeSpace::answerCount; ++answer)
            m_replies[static_cast<std::size_t>(answer)] =
                classes[static_cast<std::size_t>(answer)].empty()
                    ? -1
                    : bestShot(classes[static_cast<std::size_t>(answer)], digitsOf(CodeSpace::code(m_opening)));
    });
}

std::optional<std::string> PartitionStrategy::nextShot(const std::vector<Shot> &history)
{
    if (history.size() <= 1) {
        prepare();
        if (history.empty())
            return CodeSpace::code(m_opening);
        const int answer = CodeSpace::answerIndex(history.front().result);
        if (CodeSpace::indexOf(history.front().code) == m_opening && answer >= 0) {
            const int reply = m_replies[static_cast<std::size_t>(answer)];
            if (reply < 0)
                return std::nullopt;
            return CodeSpace::code(reply);
        }
    }
    const auto candidates = CodeSpace::consistentCodes(history);
    if (!candidates || candidates->empty())
        return std::nullopt;
    unsigned usedDigits = 0;
    for (const Shot &shot : history)
        usedDigits |= digitsOf(shot.code);
    return CodeSpace::code(bestShot(*candidates, usedDigits));
}

std::optional<std::string> PartitionStrategy::nextConsistentShot(const std::vector<Shot> &history)
{
    const auto candidates = CodeSpace::consistentCodes(history);
    if (!candidates || candidates->empty())
        return std::nullopt;
    // The best shot overall is usually possible itself, and then no
    // possible shot can beat it.
    std::optional<std::string> shot = nextShot(history);
    if (shot && std::binary_search(candidates->begin(), candidates->end(), CodeSpace::indexOf(*shot)))
        return shot;
    return CodeSpace::code(bestCandidate(*candidates));
}

int PartitionStrategy::bestCandidate(const std::vector<int> &candidates) const
{
    const std::vector<CodeSpace::Packed> packed = packedCodes(candidates);
    int best = -1;
    double bestCost = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const int shot = candidates[i];
        const double shotCost = cost(split(packed[i], packed));
        if (best < 0 || shotCost < bestCost - 1e-6) {
            best = shot;
            bestCost = shotCost;
        }
    }
    return best;
}

int PartitionStrategy::bestShot(const std::vector<int> &candidates, unsigned usedDigits) const
{
    if (candidates.size() == 1)
        return candidates.front();
    const std::vector<CodeSpace::Packed> packed = packedCodes(candidates);
    int best = -1;
    double bestCost = 0;
    bool bestPossible = false;
    for (int shot = 0; shot < CodeSpace::size; ++shot) {
        if (!isLowestOfItsFamily(CodeSpace::code(shot), usedDigits))
            continue;
        const ClassSizes sizes = split(CodeSpace::packed(shot), packed);
        // Only the shot itself answers four bulls.
        const bool possible = sizes[CodeSpace::winningAnswer] > 0;
        const double shotCost = cost(sizes);
        if (best < 0 || shotCost < bestCost - 1e-6 || (shotCost <= bestCost + 1e-6 && possible && !bestPossible)) {
            best = shot;
            bestCost = shotCost;
            bestPossible = possible;
        }
    }
    return best;
}

} // namespace kestrune
