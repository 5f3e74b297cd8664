#include "minimaxstrategy.h"

#include <algorithm>

namespace kestrune {

double MinimaxStrategy::cost(const ClassSizes &sizes) const
{
    return *std::max_element(sizes.begin(), sizes.end());
}

} // namespace kestrune
