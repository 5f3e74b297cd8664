#include "gameservice/server/http/tokenbucket.h"

#include <algorithm>
#include <cmath>

namespace kestrune::server {

TokenBucket::TokenBucket(double ratePerSecond, double burst, TimePoint now)
    : m_rate(ratePerSecond)
    , m_burst(std::max(1.0, burst))
    , m_tokens(m_burst)
    , m_last(now)
{
}

double TokenBucket::tokensAt(TimePoint now) const
{
    // A clock that steps back (it should not) never takes tokens away.
    const double elapsed = std::max(0.0, std::chrono::duration<double>(now - m_last).count());
    return std::min(m_burst, m_tokens + elapsed * m_rate);
}

std::chrono::milliseconds TokenBucket::take(TimePoint now)
{
    m_tokens = tokensAt(now);
    if (now > m_last)
        m_last = now;
    if (m_tokens >= 1.0) {
        m_tokens -= 1.0;
        return std::chrono::milliseconds(0);
    }
    const double seconds = (1.0 - m_tokens) / m_rate;
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(std::ceil(seconds * 1000.0))));
}

bool TokenBucket::full(TimePoint now) const
{
    return tokensAt(now) >= m_burst;
}

} // namespace kestrune::server
