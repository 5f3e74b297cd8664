#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/ssl/ssl_stream.hpp>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::test {

using HttpResponse = boost::beast::http::response<boost::beast::http::string_body>;

// A blocking HTTP/1.1 client for the transport's tests: every step has a
// deadline, so a server that hangs fails a test instead of stalling it.
class TestClient
{
public:
    // Plain TCP to 127.0.0.1:port (or `host`).
    explicit TestClient(std::uint16_t port, const std::string &host = "127.0.0.1");
    // TLS; `handshakeError` tells why a handshake failed.
    TestClient(std::uint16_t port, boost::asio::ssl::context &tls);
    ~TestClient();

    bool connected() const { return m_connected; }
    std::string handshakeError() const { return m_handshakeError; }

    bool send(std::string_view bytes);
    std::optional<HttpResponse> receive(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends a GET or POST with the given headers and waits for the answer.
    std::optional<HttpResponse> request(const std::string &method, const std::string &target,
                                        const std::string &body = {},
                                        const std::vector<std::pair<std::string, std::string>> &headers = {});
    // True when the server closes (or resets) the connection within `timeout`.
    bool closedByServer(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    static std::string requestText(const std::string &method, const std::string &target, const std::string &body,
                                   const std::vector<std::pair<std::string, std::string>> &headers);

private:
    template<class Operation> boost::system::error_code run(Operation operation, std::chrono::milliseconds timeout);

    boost::asio::io_context m_io;
    std::unique_ptr<boost::beast::tcp_stream> m_plain;
    std::unique_ptr<boost::beast::ssl_stream<boost::beast::tcp_stream>> m_tls;
    boost::beast::flat_buffer m_buffer;
    bool m_connected = false;
    std::string m_handshakeError;
};

} // namespace kestrune::test
