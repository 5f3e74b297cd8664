#include "randomsource.h"

#include <cassert>

namespace kestrune {

namespace {
__extension__ using Wide = unsigned __int128;
} // namespace

std::uint64_t RandomSource::uniformIndex(std::uint64_t bound)
{
    assert(bound > 0);
    // Multiply-and-shift with rejection (Lemire): the low half of the 128-bit
    // product tells whether the word fell in the biased remainder.
    Wide product = static_cast<Wide>(next64()) * bound;
    auto low = static_cast<std::uint64_t>(product);
    if (low < bound) {
        const std::uint64_t threshold = (0 - bound) % bound; // 2^64 mod bound
        while (low < threshold) {
            product = static_cast<Wide>(next64()) * bound;
            low = static_cast<std::uint64_t>(product);
        }
    }
    return static_cast<std::uint64_t>(product >> 64);
}

} // namespace kestrune
