#pragma once

#include "gameservice/server/http/servercontext.h"

#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/ssl/ssl_stream.hpp>

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace kestrune::server {

using PlainStream = boost::beast::tcp_stream;
using TlsStream = boost::beast::ssl_stream<boost::beast::tcp_stream>;

// What the listener decided about a connection when it accepted it.
struct Admission
{
    std::string remoteAddress;
    bool overCapacity = false; // answer 503 and close
};

// One HTTP/1.1 connection: reads a request within the read timeout and the
// size limits, applies the rate limits and the transport's own routes, runs
// the API handler on the worker pool, writes the answer, and reads the next
// request while the client keeps the connection alive. All its steps run on
// the connection's strand.
template<class Stream> class Session : public Connection, public std::enable_shared_from_this<Session<Stream>>
{
public:
    Session(std::shared_ptr<ServerContext> context, Stream stream, boost::beast::flat_buffer buffer,
            Admission admission);
    ~Session() override;

    void run();
    void stop() override;
    void abort() override;

private:
    using Request = boost::beast::http::request<boost::beast::http::string_body>;

    void detectTls();
    void handshake();
    void readRequest();
    void onHeader(boost::beast::error_code error);
    void readBody();
    void onRead(boost::beast::error_code error);
    void dispatch(Request request);
    void refuse(int status, const std::string &code, const std::string &message,
                std::vector<std::pair<std::string, std::string>> headers = {});
    void respond(ApiResponse response, bool keepAlive);
    void onWrite(boost::beast::error_code error);
    void closeGracefully();
    void drain();
    void close();

    std::shared_ptr<ServerContext> m_context;
    Stream m_stream;
    boost::beast::flat_buffer m_buffer;
    Admission m_admission;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> m_parser;
    boost::beast::http::response<boost::beast::http::string_body> m_response;
    bool m_busy = false;       // a request is being handled or answered
    bool m_closeAfter = false; // the answer in flight is the last
    bool m_plainOnTls = false; // a plain HTTP client on the TLS listener
    std::string m_method;
    std::string m_path;
    std::chrono::steady_clock::time_point m_started;
    std::array<char, 4096> m_discard{};
};

extern template class Session<PlainStream>;
extern template class Session<TlsStream>;

} // namespace kestrune::server
