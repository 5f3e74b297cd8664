#pragma once

#include <cstdint>

namespace kestrune {

// A source of uniformly distributed 64-bit words.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual std::uint64_t next64() = 0;

    // A uniform index in [0, bound), bound > 0: the word is mapped to the range
    // by multiplication, and the few words that would favour some indices are
    // drawn again.
    std::uint64_t uniformIndex(std::uint64_t bound);
};

} // namespace kestrune
