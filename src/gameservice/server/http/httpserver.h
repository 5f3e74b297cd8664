#pragma once

#include "gameservice/server/api/exchange.h"
#include "gameservice/server/http/httpserverconfig.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kestrune::server {

class RequestLog;
struct ServerContext;

// The HTTP/1.1 transport: listens, frames and limits requests, hands them
// to the API on a worker pool, and answers /healthz and /metrics itself.
class HttpServer
{
public:
    using HealthCheck = std::function<bool()>;

    // `health` may be empty (always healthy); `log` may be null and must
    // outlive the server.
    HttpServer(HttpServerConfig config, ApiHandler handler, HealthCheck health = {}, RequestLog *log = nullptr);
    ~HttpServer();
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    // Answers it can give at once are taken on the I/O thread, with no hop
    // to a worker and back. Before start().
    void setShortcut(ApiShortcut shortcut);

    // Binds, listens and starts the threads. Throws std::runtime_error with
    // a sentence for the operator (address in use, unreadable certificate).
    void start();
    // The port listened on: the configured one, or the one picked for port 0.
    std::uint16_t port() const;
    // Stops accepting, lets requests in flight finish within the stop
    // timeout, closes the rest and returns. Safe to call more than once.
    void stop();

    std::string metricsText() const;

private:
    struct Listener;

    std::shared_ptr<ServerContext> m_context;
    std::unique_ptr<Listener> m_listener;
};

} // namespace kestrune::server
