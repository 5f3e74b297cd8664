#include "testclient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/http/read.hpp>

namespace kestrune::test {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

template<class Operation>
boost::system::error_code TestClient::run(Operation operation, std::chrono::milliseconds timeout)
{
    boost::system::error_code result;
    bool done = false;
    m_io.restart();
    operation([&](boost::system::error_code error, auto &&...) {
        result = error;
        done = true;
    });
    m_io.run_for(timeout);
    if (!done) {
        // Cancel and let the operation finish, so nothing refers to this frame.
        beast::get_lowest_layer(m_tls ? m_tls->next_layer() : *m_plain).cancel();
        m_io.restart();
        m_io.run();
        return net::error::timed_out;
    }
    return result;
}

TestClient::TestClient(std::uint16_t port, const std::string &host)
    : m_plain(std::make_unique<beast::tcp_stream>(m_io))
{
    const net::ip::tcp::endpoint endpoint(net::ip::make_address(host), port);
    m_connected = !run([&](auto handler) { m_plain->async_connect(endpoint, handler); }, std::chrono::seconds(10));
}

TestClient::TestClient(std::uint16_t port, net::ssl::context &tls)
    : m_tls(std::make_unique<beast::ssl_stream<beast::tcp_stream>>(m_io, tls))
{
    const net::ip::tcp::endpoint endpoint(net::ip::make_address("127.0.0.1"), port);
    auto &tcp = beast::get_lowest_layer(*m_tls);
    if (run([&](auto handler) { tcp.async_connect(endpoint, handler); }, std::chrono::seconds(10)))
        return;
    const auto error = run([&](auto handler) { m_tls->async_handshake(net::ssl::stream_base::client, handler); },
                           std::chrono::seconds(10));
    m_handshakeError = error.message();
    m_connected = !error;
}

TestClient::~TestClient()
{
    beast::error_code ignored;
    beast::get_lowest_layer(m_tls ? m_tls->next_layer() : *m_plain).socket().close(ignored);
}

bool TestClient::send(std::string_view bytes)
{
    const auto buffer = net::buffer(bytes.data(), bytes.size());
    const auto error =
        m_tls ? run([&](auto handler) { net::async_write(*m_tls, buffer, handler); }, std::chrono::seconds(10))
              : run([&](auto handler) { net::async_write(*m_plain, buffer, handler); }, std::chrono::seconds(10));
    return !error;
}

std::optional<HttpResponse> TestClient::receive(std::chrono::milliseconds timeout)
{
    HttpResponse response;
    const auto error =
        m_tls ? run([&](auto handler) { http::async_read(*m_tls, m_buffer, response, handler); }, timeout)
              : run([&](auto handler) { http::async_read(*m_plain, m_buffer, response, handler); }, timeout);
    if (error)
        return std::nullopt;
    return response;
}

std::string TestClient::requestText(const std::string &method, const std::string &target, const std::string &body,
                                    const std::vector<std::pair<std::string, std::string>> &headers)
{
    std::string text = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (const auto &[name, value] : headers)
        text += name + ": " + value + "\r\n";
    if (!body.empty() || method == "POST")
        text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return text + "\r\n" + body;
}

std::optional<HttpResponse> TestClient::request(const std::string &method, const std::string &target,
                                                const std::string &body,
                                                const std::vector<std::pair<std::string, std::string>> &headers)
{
    if (!send(requestText(method, target, body, headers)))
        return std::nullopt;
    return receive();
}

bool TestClient::closedByServer(std::chrono::milliseconds timeout)
{
    char byte;
    const auto buffer = net::buffer(&byte, 1);
    // Whatever arrives before the close (a last answer) is read past.
    for (int reads = 0; reads < 100000; ++reads) {
        const auto error = m_tls ? run([&](auto handler) { m_tls->async_read_some(buffer, handler); }, timeout)
                                 : run([&](auto handler) { m_plain->async_read_some(buffer, handler); }, timeout);
        if (error == net::error::timed_out)
            return false;
        if (error)
            return true;
    }
    return false;
}

} // namespace kestrune::test
