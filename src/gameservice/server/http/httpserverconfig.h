#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrune::server {

struct HttpServerConfig
{
    std::string address = "127.0.0.1"; // IPv4 or IPv6 literal
    std::uint16_t port = 8080;         // 0 picks a free one; HttpServer::port() tells which
    int ioThreads = 2;
    // Handlers run here, never on the I/O threads, so a slow database call
    // holds one worker and no other connection's reads.
    int workerThreads = 8;
    // Beyond this, a connection's first request is answered 503 and the
    // connection closed; beyond twice this, connections are closed at once.
    std::size_t maxConnections = 1024;
    // Each request (and the wait for the next one on a kept-alive
    // connection) must arrive whole within this; each answer must be taken.
    std::chrono::milliseconds readTimeout{10000};
    // How long stop() lets requests in flight finish.
    std::chrono::milliseconds stopTimeout{10000};
    // Requests per second and burst, per bearer token and per remote
    // address; a rate of zero turns that limit off.
    double tokenRate = 100;
    double tokenBurst = 200;
    double addressRate = 100;
    double addressBurst = 200;
    std::size_t maxHeaderBytes = 8 * 1024;
    std::size_t maxBodyBytes = 16 * 1024;
    // Both set: the listener speaks TLS (and answers plain HTTP with an error).
    std::string tlsCertificateFile;
    std::string tlsKeyFile;
};

} // namespace kestrune::server
