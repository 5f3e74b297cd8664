#pragma once

#include "partitionstrategy.h"

namespace kestrune {

// The shot whose answer tells the most on average: the largest entropy of the
// answer over the codes still possible, taken as equally likely.
class EntropyStrategy final : public PartitionStrategy
{
public:
    // One instance for the whole program, so its opening is worked out once
    // for every hint and every game of the computer.
    static EntropyStrategy &shared();

protected:
    double cost(const ClassSizes &sizes) const override;
};

} // namespace kestrune
