#include "apierror.h"

#include <algorithm>
#include <utility>

namespace kestrune::server {

ApiError::ApiError(int status, std::string code, const std::string &message)
    : std::runtime_error(message)
    , m_status(status)
    , m_code(std::move(code))
{
}

ApiError ApiError::badRequest(std::string code, const std::string &message)
{
    return ApiError(400, std::move(code), message);
}

std::string ApiError::quoted(const std::string &name, const char *standIn)
{
    constexpr std::size_t maxQuoted = 64;
    const bool plain = !name.empty() && name.size() <= maxQuoted
                       && std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F && c != '"'; });
    return plain ? '"' + name + '"' : std::string(standIn);
}

} // namespace kestrune::server
