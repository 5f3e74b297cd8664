#include "achievementresetfence.h"

#include <utility>

namespace kestrune {

std::uint64_t AchievementResetFence::ticket() const
{
    std::lock_guard lock(m_mutex);
    return m_generation;
}

bool AchievementResetFence::admits(std::uint64_t ticket)
{
    std::lock_guard lock(m_mutex);
    if (m_underWay > 0) {
        // Read before the service was reset or after, nobody can tell yet.
        m_turnedAway = true;
        return false;
    }
    return ticket == m_generation;
}

void AchievementResetFence::resetBegins()
{
    std::lock_guard lock(m_mutex);
    ++m_underWay;
}

bool AchievementResetFence::resetEnds(bool reached)
{
    std::lock_guard lock(m_mutex);
    // Both in one step: an answer checked just after sees the new generation.
    if (reached)
        ++m_generation;
    --m_underWay;
    if (m_underWay > 0)
        return false;
    // A reset that reached the service synchronises anyway.
    return std::exchange(m_turnedAway, false) && !reached;
}

} // namespace kestrune
