#pragma once

#include <cstdint>

namespace kestrune {

// Conversions for numbers read from stored files, which may hold anything:
// each result is defined for every input, never undefined behaviour.
class NumberHelper
{
public:
    // Rounds toward zero and clamps to the 64-bit range; NaN gives 0.
    static std::int64_t integerOf(double value);
    // a + b, held at the 64-bit limits instead of wrapping.
    static std::int64_t saturatedSum(std::int64_t a, std::int64_t b);
    // The value, or 0 when it is NaN or infinite (so it can be replaced).
    static double finiteOrZero(double value);

    NumberHelper() = delete;
};

} // namespace kestrune
