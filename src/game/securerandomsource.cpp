#include "securerandomsource.h"

namespace kestrune {

SecureRandomSource &SecureRandomSource::instance()
{
    static SecureRandomSource source;
    return source;
}

std::uint64_t SecureRandomSource::next64()
{
    // libstdc++'s random_device reads the kernel's generator (getrandom) and
    // gives 32 bits a call.
    std::lock_guard lock(m_mutex);
    const std::uint64_t high = m_device();
    const std::uint64_t low = m_device();
    return (high << 32) | low;
}

} // namespace kestrune
