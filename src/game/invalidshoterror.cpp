#include "invalidshoterror.h"

namespace kestrune {

namespace {
std::string printable(const std::string &shot)
{
    std::string out;
    for (unsigned char c : shot.substr(0, 16)) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    if (shot.size() > 16)
        out += "...";
    return out;
}
} // namespace

InvalidShotError::InvalidShotError(const std::string &shot)
    : std::invalid_argument("a shot must be four different digits 1 to 9, got \"" + printable(shot) + "\"")
{
}

} // namespace kestrune
