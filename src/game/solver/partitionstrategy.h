#pragma once

#include "codespace.h"
#include "strategy.h"

#include <array>
#include <mutex>

namespace kestrune {

// Looks at every one of the codes as the next shot, splits the codes still
// possible by the answer each would get, and takes the shot whose split costs
// least; among equal costs a still-possible code, then the lowest. The opening
// and the reply to each of its answers are the same every game, so they are
// worked out once per strategy and kept. nextShot may be called from any
// thread.
class PartitionStrategy : public Strategy
{
public:
    using ClassSizes = std::array<int, CodeSpace::answerCount>;

    std::optional<std::string> nextShot(const std::vector<Shot> &history) final;
    // The best shot that may still be the code itself, for a player who
    // wants a shot that can win: nextShot() when that one may, otherwise the
    // cheapest split among the possible codes. Nothing when nextShot() gives
    // nothing.
    std::optional<std::string> nextConsistentShot(const std::vector<Shot> &history);
    // Works out the opening and its replies now rather than in the first
    // game; what a program may do ahead, off the thread that waits for it.
    void prepare();

    // The best shot for the ascending, non-empty candidate indices, given the
    // digits 1-9 named by any earlier shot (bit d for digit d).
    int bestShot(const std::vector<int> &candidates, unsigned usedDigits) const;
    // The same, with the shot chosen among the candidates themselves.
    int bestCandidate(const std::vector<int> &candidates) const;

protected:
    // Lower is better; costs within a millionth of each other count as equal.
    virtual double cost(const ClassSizes &sizes) const = 0;

private:
    std::once_flag m_openingOnce;
    int m_opening = -1;
    // By the opening's answer; -1 where no code gives that answer.
    std::array<int, CodeSpace::answerCount> m_replies{};
};

} // namespace kestrune
