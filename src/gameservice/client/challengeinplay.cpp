#include "challengeinplay.h"

namespace kestrune {

void ChallengeInPlaySlot::setStartMatch(StartMatch start)
{
    m_start = std::move(start);
}

void ChallengeInPlaySlot::play(ChallengeInPlay challenge)
{
    set(std::move(challenge));
    if (m_start)
        m_start();
}

void ChallengeInPlaySlot::set(std::optional<ChallengeInPlay> challenge)
{
    std::lock_guard lock(m_mutex);
    m_challenge = std::move(challenge);
}

std::optional<ChallengeInPlay> ChallengeInPlaySlot::peek() const
{
    std::lock_guard lock(m_mutex);
    return m_challenge;
}

std::optional<ChallengeInPlay> ChallengeInPlaySlot::take()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_challenge, std::nullopt);
}

} // namespace kestrune
