#include "requestcontext.h"

#include <utility>

namespace kestrune::server {

RequestContext::RequestContext(Store &store, Millis now, ApiResponse &response)
    : m_store(store)
    , m_now(now)
    , m_response(response)
{
}

void RequestContext::reply(int status, const nlohmann::json &body)
{
    m_response.status = status;
    m_response.body = toJsonText(body);
}

void RequestContext::replyText(int status, std::string body)
{
    m_response.status = status;
    m_response.body = std::move(body);
}

void RequestContext::addHeader(std::string name, std::string value)
{
    m_response.headers.emplace_back(std::move(name), std::move(value));
}

void RequestContext::setCaller(PlayerRecord caller)
{
    m_response.playerId = caller.id;
    m_caller = std::move(caller);
}

RequestContext::Timer::Timer(ApiResponse &response)
    : m_response(response)
    , m_start(std::chrono::steady_clock::now())
{
}

RequestContext::Timer::~Timer()
{
    m_response.databaseTime +=
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start);
}

std::string toJsonText(const nlohmann::json &value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace kestrune::server
