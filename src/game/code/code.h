#pragma once

#include <string_view>

namespace kestrune {

// What a secret code, and so every shot at one, is: four different digits
// 1-9. The rules and the solver both take the rule from here.
class Code
{
public:
    static constexpr int length = 4;
    static constexpr int lowestDigit = 1;
    static constexpr int highestDigit = 9;
    static constexpr int digitCount = highestDigit - lowestDigit + 1;

    static bool isValid(std::string_view code);

    Code() = delete;
};

} // namespace kestrune
