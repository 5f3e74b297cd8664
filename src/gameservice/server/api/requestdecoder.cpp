#include "requestdecoder.h"

#include "apierror.h"
#include "utf8.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace kestrune::server {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percentDecode(std::string_view text, bool plusIsSpace)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw ApiError::badRequest(errc::invalidTarget,
                                           "The target has a '%' that is not followed by two hex digits.");
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    if (!utf8::isValid(out))
        throw ApiError::badRequest(errc::invalidUtf8, "The target is not valid UTF-8 once decoded.");
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

void checkNumber(const nlohmann::json &value)
{
    // Integers compare as integers: 2^53 + 1 would round to 2^53 as a double.
    constexpr std::int64_t limit = std::int64_t(1) << 53;
    bool tooLarge = false;
    if (value.is_number_unsigned())
        tooLarge = value.get<std::uint64_t>() > static_cast<std::uint64_t>(limit);
    else if (value.is_number_integer())
        tooLarge = value.get<std::int64_t>() > limit || value.get<std::int64_t>() < -limit;
    else if (value.is_number_float())
        tooLarge = !(std::abs(value.get<double>()) <= RequestDecoder::maxExactNumber);
    if (tooLarge)
        throw ApiError::badRequest(errc::numberOutOfRange, "A number in the body lies beyond 2^53.");
}

} // namespace

DecodedTarget RequestDecoder::decodeTarget(std::string_view target)
{
    if (target.empty() || target.front() != '/')
        throw ApiError::badRequest(errc::invalidTarget, "The target must be a path starting with '/'.");
    for (const char c : target) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '#')
            throw ApiError::badRequest(errc::invalidTarget,
                                       "The target holds a character that must be percent-encoded.");
    }
    DecodedTarget decoded;
    const std::size_t question = target.find('?');
    const std::string_view path = target.substr(1, question == std::string_view::npos ? question : question - 1);
    for (const std::string_view segment : split(path, '/'))
        decoded.segments.push_back(percentDecode(segment, false));
    if (question == std::string_view::npos)
        return decoded;
    for (const std::string_view pair : split(target.substr(question + 1), '&')) {
        if (pair.empty())
            continue;
        const std::size_t equals = pair.find('=');
        std::string name = percentDecode(pair.substr(0, equals), true);
        std::string value =
            equals == std::string_view::npos ? std::string() : percentDecode(pair.substr(equals + 1), true);
        const bool seen = std::any_of(decoded.query.begin(), decoded.query.end(),
                                      [&](const auto &existing) { return existing.first == name; });
        if (seen)
            throw ApiError::badRequest(errc::invalidParameter, "A query parameter is given more than once.");
        decoded.query.emplace_back(std::move(name), std::move(value));
    }
    return decoded;
}

std::optional<nlohmann::json> RequestDecoder::decodeBody(std::string_view body)
{
    if (body.empty())
        return std::nullopt;
    if (!utf8::isValid(body))
        throw ApiError::badRequest(errc::invalidUtf8, "The body is not valid UTF-8.");
    // The parser takes a NUL byte for the end of the input and would ignore
    // whatever follows it.
    if (body.find('\0') != std::string_view::npos)
        throw ApiError::badRequest(errc::malformedJson, "The body holds a NUL byte.");

    // One set of seen keys per open container (arrays get an unused one, so
    // that the stack stays in step with the parser's).
    std::vector<std::set<std::string>> open;
    const auto check = [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json &parsed) {
        using Event = nlohmann::json::parse_event_t;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            if (depth >= maxDepth)
                throw ApiError::badRequest(errc::nestingTooDeep, "The body nests objects or arrays too deeply.");
            open.emplace_back();
            break;
        case Event::object_end:
        case Event::array_end:
            open.pop_back();
            break;
        case Event::key:
            if (!open.back().insert(parsed.get<std::string>()).second)
                throw ApiError::badRequest(errc::duplicateKey, "An object in the body has the same key twice.");
            break;
        case Event::value:
            checkNumber(parsed);
            break;
        }
        return true;
    };
    try {
        return nlohmann::json::parse(body.begin(), body.end(), check);
    } catch (const nlohmann::json::parse_error &e) {
        // The position only: nlohmann's own text quotes the input.
        throw ApiError::badRequest(errc::malformedJson,
                                   "The body is not valid JSON (near byte " + std::to_string(e.byte) + ").");
    } catch (const nlohmann::json::out_of_range &) {
        throw ApiError::badRequest(errc::numberOutOfRange, "A number in the body lies beyond 2^53.");
    }
}

bool RequestDecoder::isJsonContentType(std::string_view contentType)
{
    std::string lower;
    for (const char c : contentType) {
        if (c != ' ' && c != '\t')
            lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return lower == "application/json" || lower == "application/json;charset=utf-8";
}

} // namespace kestrune::server
