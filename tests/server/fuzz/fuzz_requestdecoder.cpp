// Drives the request decoder with arbitrary bytes: the part before the first
// newline is a request target, the rest a body. Any outcome but a value or
// an ApiError is a fault, and so is a decoded value that breaks what the
// decoder promises.
#include "gameservice/server/api/apierror.h"
#include "gameservice/server/api/requestdecoder.h"
#include "gameservice/server/api/utf8.h"
#include "gameservice/server/api/validation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kestrune::server;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

template<typename Check> void refusedOrAccepted(Check &&check)
{
    try {
        check();
    } catch (const ApiError &error) {
        require(error.status() >= 400 && error.status() < 500 && !error.code().empty());
    }
}

void decodeTarget(std::string_view target)
{
    refusedOrAccepted([&] {
        const DecodedTarget decoded = RequestDecoder::decodeTarget(target);
        require(!decoded.segments.empty());
        for (const auto &segment : decoded.segments) {
            require(utf8::isValid(segment));
            // What the routes do with a segment: it is an identifier or refused.
            refusedOrAccepted([&] { validation::identifier(segment, "segment"); });
            refusedOrAccepted([&] { validation::displayName(segment); });
        }
        for (const auto &[name, value] : decoded.query)
            require(utf8::isValid(name) && utf8::isValid(value));
    });
}

void decodeBody(std::string_view body)
{
    refusedOrAccepted([&] {
        const auto decoded = RequestDecoder::decodeBody(body);
        require(decoded.has_value() != body.empty());
        if (!decoded)
            return;
        // What the API writes back must decode to the same value again.
        require(RequestDecoder::decodeBody(decoded->dump()) == decoded);
        if (decoded->is_object()) {
            for (const auto &item : decoded->items()) {
                if (item.value().is_string())
                    refusedOrAccepted([&] { validation::message(item.value().get<std::string>()); });
            }
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t newline = input.find('\n');
    decodeTarget(input.substr(0, newline));
    decodeBody(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1));
    RequestDecoder::isJsonContentType(input);
    return 0;
}
