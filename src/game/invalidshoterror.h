#pragma once

#include <stdexcept>
#include <string>

namespace kestrune {

// A shot that is not four different digits 1 to 9.
class InvalidShotError : public std::invalid_argument
{
public:
    explicit InvalidShotError(const std::string &shot);
};

} // namespace kestrune
