#include "scriptedhttpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace kestrune::net::test {

namespace {

// The Content-Length of a request head, 0 when absent.
std::size_t contentLength(const std::string &head)
{
    std::string lower = head;
    for (char &c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const auto at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

} // namespace

ScriptedHttpServer::ScriptedHttpServer(std::string answer)
    : m_answer(std::move(answer))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_listener, 16) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

ScriptedHttpServer::~ScriptedHttpServer()
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

std::string ScriptedHttpServer::url(const std::string &path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

int ScriptedHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return int(m_received.size());
}

std::vector<std::string> ScriptedHttpServer::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

namespace {

template<class Condition> bool waitUntil(Condition condition, std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

bool ScriptedHttpServer::waitForConnections(int count, std::chrono::milliseconds bound) const
{
    return waitUntil([&] { return m_connections >= count; }, bound);
}

bool ScriptedHttpServer::waitForRequests(int count, std::chrono::milliseconds bound) const
{
    return waitUntil([&] { return requests() >= count; }, bound);
}

std::string ScriptedHttpServer::answer(int status, const std::string &extraHeaders, const std::string &body)
{
    return "HTTP/1.1 " + std::to_string(status) + " Scripted\r\n" + extraHeaders
           + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

void ScriptedHttpServer::acceptLoop()
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

void ScriptedHttpServer::serve(int socket)
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

} // namespace kestrune::net::test
