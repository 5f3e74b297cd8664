#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
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
    explicit ScriptedHttpServer(std::string answer)
        : m_answer(std::move(answer))
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_listener < 0)
            return;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::listen(m_listener, 16) != 0
            || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptLoop(); });
    }
    ~ScriptedHttpServer()
    {
        m_stopping = true;
        if (m_listener >= 0)
            ::shutdown(m_listener, SHUT_RDWR); // wakes accept()
        if (m_acceptor.joinable())
            m_acceptor.join();
        std::vector<std::thread> servers;
        {
            std::lock_guard lock(m_mutex);
            for (int socket : m_sockets)
                ::shutdown(socket, SHUT_RDWR); // wakes recv()
            servers.swap(m_servers);
        }
        for (std::thread &server : servers)
            server.join();
        for (int socket : m_sockets)
            ::close(socket);
        if (m_listener >= 0)
            ::close(m_listener);
    }
    ScriptedHttpServer(const ScriptedHttpServer &) = delete;
    ScriptedHttpServer &operator=(const ScriptedHttpServer &) = delete;

    bool listening() const { return m_port != 0; }
    std::uint16_t port() const { return m_port; }
    std::string url(const std::string &path = "/") const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }

    int connections() const { return m_connections; }
    int requests() const { return int(received().size()); }
    // The request's head and body as received, oldest first.
    std::vector<std::string> received() const
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }
    // True once `count` connections were accepted, or `count` requests
    // received, waiting at most `bound`.
    bool waitForConnections(int count, std::chrono::milliseconds bound) const
    {
        return waitUntil([&] { return m_connections >= count; }, bound);
    }
    bool waitForRequests(int count, std::chrono::milliseconds bound) const
    {
        return waitUntil([&] { return requests() >= count; }, bound);
    }

    // An answer with a body and the headers that frame it.
    static std::string answer(int status, const std::string &extraHeaders, const std::string &body)
    {
        return "HTTP/1.1 " + std::to_string(status) + " Scripted\r\n" + extraHeaders
               + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    }

private:
    template<class Condition> static bool waitUntil(Condition condition, std::chrono::milliseconds bound)
    {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // The Content-Length of a request head, 0 when absent.
    static std::size_t contentLength(const std::string &head)
    {
        std::string lower = head;
        for (char &c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        const auto at = lower.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
    }

    void acceptLoop()
    {
        while (!m_stopping) {
            const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (socket < 0)
                return;
            std::lock_guard lock(m_mutex);
            if (m_stopping) {
                ::close(socket);
                return;
            }
            m_sockets.push_back(socket);
            ++m_connections;
            m_servers.emplace_back([this, socket] { serve(socket); });
        }
    }
    void serve(int socket)
    {
        std::string pending;
        char buffer[16384];
        for (;;) {
            const auto headEnd = pending.find("\r\n\r\n");
            if (headEnd != std::string::npos) {
                const std::size_t total = headEnd + 4 + contentLength(pending.substr(0, headEnd + 2));
                if (pending.size() >= total) {
                    {
                        std::lock_guard lock(m_mutex);
                        m_received.push_back(pending.substr(0, total));
                    }
                    pending.erase(0, total);
                    if (m_answer.empty())
                        continue; // silent: read on, answer nothing
                    for (std::size_t sent = 0; sent < m_answer.size();) {
                        const auto n = ::send(socket, m_answer.data() + sent, m_answer.size() - sent, MSG_NOSIGNAL);
                        if (n <= 0)
                            return;
                        sent += std::size_t(n);
                    }
                    continue;
                }
            }
            const auto n = ::recv(socket, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            pending.append(buffer, std::size_t(n));
        }
    }

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
