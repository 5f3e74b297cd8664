#pragma once

#include <chrono>

namespace kestrune {

// The time source of the rules, so that tests can move time by hand.
class Clock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
};

} // namespace kestrune
