#pragma once

#include "random/randomsource.h"

#include <mutex>
#include <random>

namespace kestrune {

// The operating system's cryptographically secure random source.
class SecureRandomSource final : public RandomSource
{
public:
    static SecureRandomSource &instance();
    std::uint64_t next64() override;

private:
    SecureRandomSource() = default;
    std::mutex m_mutex;
    std::random_device m_device;
};

} // namespace kestrune
