#pragma once

#include <cstdint>
#include <mutex>

namespace kestrune {

// Lets a reset of the achievements win over the synchronisations that read
// the service before it: their answers, arriving late, would put the old
// values back into the cache the reset has just cleared.
//
// A synchronisation takes a ticket before it asks the service, and merges
// what came back only if the fence admits it: no reset is under way and
// none has reached the service since the ticket. The check is made under
// the cache's lock, the same lock a reset clears the cache under.
//
// Any thread.
class AchievementResetFence
{
public:
    std::uint64_t ticket() const;

    // False when the answer read with `ticket` may hold values from before
    // a reset. A synchronisation turned away while a reset is under way is
    // remembered, so that it is made again should the reset fail.
    bool admits(std::uint64_t ticket);

    void resetBegins();
    // `reached`: the service has reset the achievements. True when a
    // synchronisation was turned away during the resets now ended and none
    // is started by them: the caller must start one.
    bool resetEnds(bool reached);

private:
    mutable std::mutex m_mutex;
    std::uint64_t m_generation = 0; // resets that reached the service
    int m_underWay = 0;
    bool m_turnedAway = false;
};

} // namespace kestrune
