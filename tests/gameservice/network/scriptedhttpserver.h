#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrune::net::test {

// A loopback HTTP/1.1 server that answers every request on a connection
// with the same bytes, or never answers at all, and records what it was
// sent. For what a real server will not do on demand: stay silent, answer
// too much, redirect.
class ScriptedHttpServer
{
public:
    // `answer` is written after each request; empty means stay silent and
    // keep the connection open until the server stops.
    explicit ScriptedHttpServer(std::string answer);
    ~ScriptedHttpServer();
    ScriptedHttpServer(const ScriptedHttpServer &) = delete;
    ScriptedHttpServer &operator=(const ScriptedHttpServer &) = delete;

    bool listening() const { return m_port != 0; }
    std::uint16_t port() const { return m_port; }
    std::string url(const std::string &path = "/") const;

    int connections() const { return m_connections; }
    int requests() const;
    // The request's head and body as received, oldest first.
    std::vector<std::string> received() const;
    // True once `count` connections were accepted, or `count` requests
    // received, waiting at most `bound`.
    bool waitForConnections(int count, std::chrono::milliseconds bound) const;
    bool waitForRequests(int count, std::chrono::milliseconds bound) const;

    // An answer with a body and the headers that frame it.
    static std::string answer(int status, const std::string &extraHeaders, const std::string &body);

private:
    void acceptLoop();
    void serve(int socket);

    const std::string m_answer;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_connections{0};
    std::thread m_acceptor;

    mutable std::mutex m_mutex; // guards the three below
    std::vector<int> m_sockets;
    std::vector<std::thread> m_servers;
    std::vector<std::string> m_received;
};

} // namespace kestrune::net::test
