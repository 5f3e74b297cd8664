#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// Strict UTF-8 (RFC 3629): no overlong forms, no surrogates, nothing past
// U+10FFFF, no truncated sequences.
namespace kestrune::server::utf8 {

bool isValid(std::string_view text);

// The length of the well-formed sequence at `pos`, or 0 when the bytes
// there are not one.
std::size_t sequenceLength(std::string_view text, std::size_t pos);

// The code points of `text`, or nothing when it is not valid UTF-8.
std::optional<std::vector<char32_t>> decode(std::string_view text);

} // namespace kestrune::server::utf8
