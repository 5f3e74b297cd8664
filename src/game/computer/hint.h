#pragma once

#include <cstddef>
#include <string>

namespace kestrune {

// What a hint tells the player: how many codes still fit every answer, and
// the one of them that tells most about the rest.
struct Hint
{
    std::size_t codesLeft = 0;
    std::string shot;

    friend bool operator==(const Hint &, const Hint &) = default;
};

} // namespace kestrune
