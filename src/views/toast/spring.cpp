#include "spring.h"

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {
// ln(1000): the swing has shrunk to a thousandth when the duration is up.
constexpr double settleExponent = 6.9;
} // namespace

Spring::Spring(double damping, double initialVelocity, double durationSeconds)
    : m_damping(std::clamp(damping, 0.05, 0.999))
    , m_velocity(initialVelocity)
    , m_duration(std::max(durationSeconds, 0.001))
    , m_omega(settleExponent / (m_damping * m_duration))
{
}

double Spring::value(double t) const
{
    if (t <= 0)
        return 0;
    if (t >= 1)
        return 1;
    const double seconds = t * m_duration;
    const double decay = m_damping * m_omega;
    const double omegaD = m_omega * std::sqrt(1 - m_damping * m_damping);
    const double envelope = std::exp(-decay * seconds);
    return 1 - envelope * (std::cos(omegaD * seconds) + (decay - m_velocity) / omegaD * std::sin(omegaD * seconds));
}

} // namespace kestrune
