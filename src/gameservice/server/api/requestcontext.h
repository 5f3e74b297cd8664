#pragma once

#include "exchange.h"
#include "gameservice/server/store/store.h"
#include "queryreader.h"
#include "topcache.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::server {

// What a route's handler works with: the decoded request, the caller, the
// store (timed), and the response it fills.
class RequestContext
{
public:
    RequestContext(Store &store, Millis now, ApiResponse &response);

    Millis now() const { return m_now; }
    const std::string &argument(std::size_t index) const { return m_arguments.at(index); }
    // Nothing when the request had no body.
    const std::optional<nlohmann::json> &body() const { return m_body; }
    QueryReader &query() { return m_query; }

    // The authenticated player; caller() is null for an anonymous request.
    const PlayerRecord *caller() const { return m_caller ? &*m_caller : nullptr; }
    const PlayerRecord &player() const { return *m_caller; }

    // Runs one store call and adds its time to the response's database
    // time, also when it throws.
    template<typename Call> decltype(auto) store(Call &&call)
    {
        const Timer timer(m_response);
        return call(m_store);
    }

    void reply(int status, const nlohmann::json &body);
    // A body already serialized, as kept by the top cache.
    void replyText(int status, std::string body);
    void addHeader(std::string name, std::string value);

    void setArguments(std::vector<std::string> arguments) { m_arguments = std::move(arguments); }
    void setQuery(QueryReader query) { m_query = std::move(query); }
    void setBody(std::optional<nlohmann::json> body) { m_body = std::move(body); }
    void setCaller(PlayerRecord caller);
    // Null when top answers are not cached.
    TopCache *topCache() const { return m_topCache; }
    void setTopCache(TopCache *cache) { m_topCache = cache; }

private:
    class Timer
    {
    public:
        explicit Timer(ApiResponse &response);
        ~Timer();
        Timer(const Timer &) = delete;
        Timer &operator=(const Timer &) = delete;

    private:
        ApiResponse &m_response;
        std::chrono::steady_clock::time_point m_start;
    };

    Store &m_store;
    Millis m_now;
    ApiResponse &m_response;
    std::vector<std::string> m_arguments;
    QueryReader m_query;
    std::optional<nlohmann::json> m_body;
    std::optional<PlayerRecord> m_caller;
    TopCache *m_topCache = nullptr;
};

// The JSON text of a response body: compact, and never throwing on text
// (everything in it was checked on the way in).
std::string toJsonText(const nlohmann::json &value);

} // namespace kestrune::server
