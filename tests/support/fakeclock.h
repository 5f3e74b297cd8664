#pragma once

#include "game/clock.h"

namespace kestrune::test {

// A clock that moves only when told.
class FakeClock final : public Clock
{
public:
    TimePoint now() const override { return m_now; }
    void advance(double seconds)
    {
        m_now += std::chrono::duration_cast<Clock::TimePoint::duration>(std::chrono::duration<double>(seconds));
    }

private:
    TimePoint m_now{std::chrono::hours(1)};
};

} // namespace kestrune::test
