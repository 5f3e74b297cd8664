#pragma once

#include "gameservice/server/api/exchange.h"
#include "gameservice/server/http/httpmetrics.h"
#include "gameservice/server/http/httpserverconfig.h"
#include "gameservice/server/http/ratelimiter.h"
#include "gameservice/server/http/requestlog.h"

#include <boost/asio/ssl/context.hpp>
#include <boost/asio/thread_pool.hpp>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace kestrune::server {

// A connection as the server sees it when stopping.
class Connection
{
public:
    virtual ~Connection() = default;
    // Closes the connection when it waits for a request; a request in
    // flight is answered first (with Connection: close).
    virtual void stop() = 0;
    // Closes the connection whatever it is doing.
    virtual void abort() = 0;
};

// What every connection of one server shares. Owned jointly by the server
// and its connections, so a connection never outlives what it uses.
struct ServerContext
{
    ServerContext(HttpServerConfig config, ApiHandler handler, std::function<bool()> health, RequestLog *log)
        : config(std::move(config))
        , handler(std::move(handler))
        , health(std::move(health))
        , log(log)
        , tokenLimiter(this->config.tokenRate, this->config.tokenBurst)
        , addressLimiter(this->config.addressRate, this->config.addressBurst)
        , workers(std::size_t(std::max(1, this->config.workerThreads)))
    {
    }

    void add(Connection *connection, std::weak_ptr<Connection> handle)
    {
        std::lock_guard lock(mutex);
        connections.emplace(connection, std::move(handle));
    }
    void remove(Connection *connection)
    {
        std::lock_guard lock(mutex);
        connections.erase(connection);
        if (connections.empty())
            drained.notify_all();
    }

    const HttpServerConfig config;
    const ApiHandler handler;
    ApiShortcut shortcut; // set before the server starts; may be empty
    const std::function<bool()> health;
    RequestLog *const log;
    std::optional<boost::asio::ssl::context> tls;
    HttpMetrics metrics;
    RateLimiter tokenLimiter;
    RateLimiter addressLimiter;
    boost::asio::thread_pool workers;
    std::atomic<bool> stopping{false};

    std::mutex mutex;
    std::condition_variable drained;
    std::unordered_map<Connection *, std::weak_ptr<Connection>> connections;
};

} // namespace kestrune::server
