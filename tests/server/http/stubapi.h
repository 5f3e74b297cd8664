#pragma once

#include "gameservice/server/api/exchange.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace kestrune::test {

// An API handler for the transport's tests. Paths:
//   /slow   waits until release() (or 20 s), then answers 200;
//   /boom   throws;
//   /v1/echo... answers 200 on route /v1/echo with the request's body;
//   else    answers 404 without a route, as the API does for unknown paths.
// It keeps every request it saw.
class StubApi
{
public:
    server::ApiHandler handler()
    {
        return [this](const server::ApiRequest &request) { return handle(request); };
    }

    void release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    bool waitForSlowStarted(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [this] { return m_slowStarted > 0; });
    }
    std::vector<server::ApiRequest> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    int calls()
    {
        std::lock_guard lock(m_mutex);
        return int(m_requests.size());
    }

private:
    server::ApiResponse handle(const server::ApiRequest &request)
    {
        std::unique_lock lock(m_mutex);
        m_requests.push_back(request);
        if (request.target == "/slow") {
            ++m_slowStarted;
            m_changed.notify_all();
            m_changed.wait_for(lock, std::chrono::seconds(20), [this] { return m_released; });
            server::ApiResponse response;
            response.route = "/slow";
            response.body = R"({"slow":true})";
            return response;
        }
        if (request.target == "/boom")
            throw std::runtime_error("the database is gone");
        server::ApiResponse response;
        if (request.target.rfind("/v1/echo", 0) != 0) {
            response.status = 404;
            response.errorCode = "not_found";
            response.body = R"({"error":{"code":"not_found","message":"No such path."}})";
            return response;
        }
        response.route = "/v1/echo";
        response.body = request.body;
        response.playerId = "player-7";
        response.databaseTime = std::chrono::milliseconds(2);
        response.headers.emplace_back("X-Echo", "yes");
        return response;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<server::ApiRequest> m_requests;
    int m_slowStarted = 0;
    bool m_released = false;
};

} // namespace kestrune::test
