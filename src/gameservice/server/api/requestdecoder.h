#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::server {

struct DecodedTarget
{
    std::vector<std::string> segments;                      // percent-decoded, in order; "/" gives one empty segment
    std::vector<std::pair<std::string, std::string>> query; // percent-decoded, in order
};

// Turns what arrived on the wire into checked values, or throws ApiError.
// It knows nothing of routes or the store, so a fuzzer can drive it alone.
class RequestDecoder
{
public:
    // Objects and arrays may nest this deep; the API's bodies are flat.
    static constexpr int maxDepth = 8;
    // 2^53: the largest magnitude every JSON reader holds exactly.
    static constexpr double maxExactNumber = 9007199254740992.0;

    // An origin-form target ("/v1/x/y?a=b"). Segments and query values are
    // percent-decoded ('+' is a space in the query) and must be UTF-8; a
    // query parameter given twice is refused.
    static DecodedTarget decodeTarget(std::string_view target);

    // A JSON text in UTF-8; nothing for an empty body (which differs from
    // the body "null"). Refuses duplicate keys at any level, nesting deeper
    // than maxDepth, and numbers beyond 2^53.
    static std::optional<nlohmann::json> decodeBody(std::string_view body);

    // "application/json", optionally with "; charset=utf-8".
    static bool isJsonContentType(std::string_view contentType);
};

} // namespace kestrune::server
