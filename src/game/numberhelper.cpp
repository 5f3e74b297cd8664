#include "numberhelper.h"

#include <cmath>
#include <limits>

namespace kestrune {

std::int64_t NumberHelper::integerOf(double value)
{
    using Limits = std::numeric_limits<std::int64_t>;
    if (std::isnan(value))
        return 0;
    // 2^63 is exact as a double; INT64_MAX is not, so compare against the bound itself.
    constexpr double bound = 9223372036854775808.0;
    if (value >= bound)
        return Limits::max();
    if (value < -bound)
        return Limits::min();
    return static_cast<std::int64_t>(value);
}

std::int64_t NumberHelper::saturatedSum(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

double NumberHelper::finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

} // namespace kestrune
