#pragma once

namespace kestrune {

// The path of a damped spring from 0 to 1, for animations that overshoot
// and settle. Damping is the ratio to critical damping (below 1 it swings);
// the initial velocity is in distances per second; the spring is stiff enough
// to come to rest within the duration.
class Spring
{
public:
    Spring(double damping, double initialVelocity, double durationSeconds);

    // Progress at t (0 to 1 of the duration): 0 at the start, exactly 1 at the end.
    double value(double t) const;

private:
    double m_damping;
    double m_velocity;
    double m_duration;
    double m_omega;
};

} // namespace kestrune
