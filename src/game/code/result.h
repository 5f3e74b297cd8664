#pragma once

#include <cstdint>

namespace kestrune {

// The score of one shot: digits in the right place (bulls) and digits of the
// code standing elsewhere (cows). 0 <= bulls + cows <= 4.
struct Result
{
    std::int64_t bulls = 0;
    std::int64_t cows = 0;

    friend bool operator==(const Result &, const Result &) = default;
};

} // namespace kestrune
