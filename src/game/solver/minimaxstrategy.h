#pragma once

#include "partitionstrategy.h"

namespace kestrune {

// The shot whose largest answer class is smallest: the fewest codes left in
// the worst case.
class MinimaxStrategy final : public PartitionStrategy
{
protected:
    double cost(const ClassSizes &sizes) const override;
};

} // namespace kestrune
