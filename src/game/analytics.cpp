#include "analytics.h"

namespace kestrune {

bool Analytics::isValidEventName(const std::string &name)
{
    if (name.empty() || name.size() > 40)
        return false;
    auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isLetter(name.front()))
        return false;
    for (char c : name) {
        if (!isLetter(c) && !isDigit(c) && c != '_')
            return false;
    }
    return true;
}

} // namespace kestrune
