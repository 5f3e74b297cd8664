#include "utf8.h"

#include <cstddef>

namespace kestrune::server::utf8 {

namespace {

// Reads one code point at `pos`, advancing it; nothing when the bytes there
// are not a well-formed sequence.
std::optional<char32_t> next(std::string_view text, std::size_t &pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char c = byte(pos + i);
        if ((c & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return cp;
}

} // namespace

bool isValid(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (!next(text, pos))
            return false;
    }
    return true;
}

std::size_t sequenceLength(std::string_view text, std::size_t pos)
{
    std::size_t end = pos;
    return next(text, end) ? end - pos : 0;
}

std::optional<std::vector<char32_t>> decode(std::string_view text)
{
    std::vector<char32_t> points;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto cp = next(text, pos);
        if (!cp)
            return std::nullopt;
        points.push_back(*cp);
    }
    return points;
}

} // namespace kestrune::server::utf8
