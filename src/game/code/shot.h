#pragma once

#include "result.h"

#include <string>

namespace kestrune {

// One recorded guess: its four digits in typed order and their score.
struct Shot
{
    std::string code;
    Result result;

    friend bool operator==(const Shot &, const Shot &) = default;
};

} // namespace kestrune
