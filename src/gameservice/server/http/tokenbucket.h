#pragma once

#include <chrono>

namespace kestrune::server {

// One client's allowance: `ratePerSecond` tokens flow in up to `burst`; a
// request takes one. Time is passed in, so the arithmetic is testable
// without waiting.
class TokenBucket
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    TokenBucket(double ratePerSecond, double burst, TimePoint now);

    // Zero when a token was taken; otherwise how long until one is there
    // (nothing is taken then).
    std::chrono::milliseconds take(TimePoint now);
    // True when the bucket has refilled completely: forgetting it changes nothing.
    bool full(TimePoint now) const;

private:
    double tokensAt(TimePoint now) const;

    double m_rate;
    double m_burst;
    double m_tokens;
    TimePoint m_last;
};

} // namespace kestrune::server
