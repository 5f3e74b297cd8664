#include "systemclock.h"

namespace kestrune {

const SystemClock &SystemClock::instance()
{
    static const SystemClock clock;
    return clock;
}

Clock::TimePoint SystemClock::now() const
{
    return std::chrono::steady_clock::now();
}

} // namespace kestrune
