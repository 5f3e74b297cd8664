#pragma once

#include "clock.h"

namespace kestrune {

// The monotonic clock of the machine: durations never jump with the wall clock.
class SystemClock final : public Clock
{
public:
    static const SystemClock &instance();
    TimePoint now() const override;
};

} // namespace kestrune
