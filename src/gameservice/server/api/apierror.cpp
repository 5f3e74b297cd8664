#include "apierror.h"

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

} // namespace kestrune::server
