#include "code.h"

namespace kestrune {

bool Code::isValid(std::string_view code)
{
    if (code.size() != length)
        return false;
    unsigned seen = 0;
    for (const char c : code) {
        if (c < '0' + lowestDigit || c > '0' + highestDigit)
            return false;
        const unsigned bit = 1u << (c - '0');
        if (seen & bit)
            return false;
        seen |= bit;
    }
    return true;
}

} // namespace kestrune
