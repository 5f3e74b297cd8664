#pragma once

#include "partitionstrategy.h"

namespace kestrune {

// The shot whose answer tells the most on average: the largest entropy of the
// answer over the codes still possible, taken as equally likely.
class EntropyStrategy final : public PartitionStrategy
{
protected:
    double cost(const ClassSizes &sizes) const override;
};

} // namespace kestrune
