#include "gameservice/server/http/session.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/detect_ssl.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <nlohmann/json.hpp>

#include <string_view>
#include <type_traits>

namespace kestrune::server {

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;

namespace {

// The JSON error body of everything the transport refuses by itself, in the
// same shape as the API's refusals.
ApiResponse transportError(int status, const std::string &code, const std::string &message)
{
    ApiResponse response;
    response.status = status;
    response.errorCode = code;
    response.body = nlohmann::json{{"error", {{"code", code}, {"message", message}}}}.dump();
    return response;
}

// A lingering close: after our last answer we read and drop what the
// client still sends until it closes or this time is up. Bounded by time
// alone: closing with its bytes unread resets the connection, and the reset
// throws away the answers still queued for it (a pipelining client at a stop).
constexpr std::chrono::milliseconds lingerTimeout{1000};

} // namespace

template<class Stream>
Session<Stream>::Session(std::shared_ptr<ServerContext> context, Stream stream, beast::flat_buffer buffer,
                         Admission admission)
    : m_context(std::move(context))
    , m_stream(std::move(stream))
    , m_buffer(std::move(buffer))
    , m_admission(std::move(admission))
{
    m_context->metrics.connectionOpened();
}

template<class Stream> Session<Stream>::~Session()
{
    m_context->remove(this);
    m_context->metrics.connectionClosed();
}

template<class Stream> void Session<Stream>::run()
{
    m_context->add(this, this->weak_from_this());
    net::dispatch(m_stream.get_executor(), [self = this->shared_from_this()] {
        // A stop that began before we registered did not see us.
        if (self->m_context->stopping)
            return self->close();
        if constexpr (std::is_same_v<Stream, TlsStream>)
            self->handshake();
        else if (self->m_context->tls)
            self->detectTls();
        else
            self->readRequest();
    });
}

template<class Stream> void Session<Stream>::stop()
{
    net::post(m_stream.get_executor(), [self = this->shared_from_this()] {
        // A request being handled or written ends the connection after its
        // answer. So does one already arriving (pipelined bytes read or
        // waiting): cutting it now would close on unread bytes, and the
        // reset would destroy the answers still queued for the client.
        if (self->m_busy || self->m_buffer.size() > 0)
            return;
        auto &socket = beast::get_lowest_layer(self->m_stream).socket();
        beast::error_code error;
        if (socket.available(error) > 0 && !error)
            return;
        // Idle between requests: the wait for one ends, and onRead closes
        // gracefully.
        socket.cancel(error);
    });
}

template<class Stream> void Session<Stream>::abort()
{
    net::post(m_stream.get_executor(), [self = this->shared_from_this()] { self->close(); });
}

template<class Stream> void Session<Stream>::detectTls()
{
    if constexpr (std::is_same_v<Stream, PlainStream>) {
        beast::get_lowest_layer(m_stream).expires_after(m_context->config.readTimeout);
        beast::async_detect_ssl(
            m_stream, m_buffer, [self = this->shared_from_this()](beast::error_code error, bool tls) {
                if (error)
                    return self->close();
                if (tls) {
                    std::make_shared<Session<TlsStream>>(self->m_context,
                                                         TlsStream(std::move(self->m_stream), *self->m_context->tls),
                                                         std::move(self->m_buffer), self->m_admission)
                        ->run();
                    return;
                }
                self->m_plainOnTls = true;
                self->readRequest();
            });
    }
}

template<class Stream> void Session<Stream>::handshake()
{
    if constexpr (std::is_same_v<Stream, TlsStream>) {
        beast::get_lowest_layer(m_stream).expires_after(m_context->config.readTimeout);
        m_stream.async_handshake(net::ssl::stream_base::server, m_buffer.data(),
                                 [self = this->shared_from_this()](beast::error_code error, std::size_t used) {
                                     if (error)
                                         return self->close();
                                     self->m_buffer.consume(used);
                                     self->readRequest();
                                 });
    }
}

template<class Stream> void Session<Stream>::readRequest()
{
    if (m_context->stopping)
        return closeGracefully();
    m_parser.emplace();
    m_parser->header_limit(std::uint32_t(m_context->config.maxHeaderBytes));
    m_parser->body_limit(m_context->config.maxBodyBytes);
    // One deadline for the whole request: a client that trickles bytes
    // gets no more time than one that sends nothing.
    beast::get_lowest_layer(m_stream).expires_after(m_context->config.readTimeout);
    http::async_read_header(
        m_stream, m_buffer, *m_parser,
        [self = this->shared_from_this()](beast::error_code error, std::size_t) { self->onHeader(error); });
}

template<class Stream> void Session<Stream>::onHeader(beast::error_code error)
{
    if (error)
        return onRead(error);
    // curl asks before sending a body over 1 KiB and would otherwise wait a
    // second for this; a body over the limit was refused with the header.
    if (beast::iequals(m_parser->get()[http::field::expect], "100-continue")) {
        static constexpr std::string_view proceed = "HTTP/1.1 100 Continue\r\n\r\n";
        net::async_write(m_stream, net::buffer(proceed.data(), proceed.size()),
                         [self = this->shared_from_this()](beast::error_code error, std::size_t) {
                             if (error)
                                 return self->close();
                             self->readBody();
                         });
        return;
    }
    readBody();
}

template<class Stream> void Session<Stream>::readBody()
{
    http::async_read(m_stream, m_buffer, *m_parser,
                     [self = this->shared_from_this()](beast::error_code error, std::size_t) { self->onRead(error); });
}

template<class Stream> void Session<Stream>::onRead(beast::error_code error)
{
    if (error == http::error::end_of_stream)
        return closeGracefully();
    if (error == net::error::operation_aborted && m_context->stopping)
        return closeGracefully();
    if (error == beast::error::timeout || error == net::error::operation_aborted)
        return close();
    m_started = std::chrono::steady_clock::now();
    m_method.clear();
    m_path.clear();
    if (m_parser->is_header_done()) {
        const auto &header = m_parser->get();
        m_method = std::string(header.method_string());
        const auto target = header.target();
        m_path = std::string(target.substr(0, target.find('?')));
    }
    if (error == http::error::header_limit)
        return respond(transportError(431, "headers_too_large",
                                      "The request's headers exceed " + std::to_string(m_context->config.maxHeaderBytes)
                                          + " bytes."),
                       false);
    if (error == http::error::body_limit)
        return respond(
            transportError(413, "payload_too_large",
                           "The request's body exceeds " + std::to_string(m_context->config.maxBodyBytes) + " bytes."),
            false);
    if (error && &error.category() == &http::make_error_code(http::error::bad_target).category())
        return respond(transportError(400, "bad_request", "The request is not valid HTTP/1.1."), false);
    if (error)
        return close();
    dispatch(m_parser->release());
}

template<class Stream> void Session<Stream>::dispatch(Request request)
{
    m_busy = true;
    beast::get_lowest_layer(m_stream).expires_never();
    const bool keepAlive = request.keep_alive();
    if (m_admission.overCapacity)
        return respond(transportError(503, "overloaded", "The server has too many open connections; try again later."),
                       false);
    if (m_plainOnTls)
        return respond(transportError(400, "tls_required", "This server speaks HTTPS only."), false);

    const bool get = request.method() == http::verb::get;
    if (get && m_path == "/metrics") {
        ApiResponse response;
        response.route = "/metrics";
        response.contentType = "text/plain; version=0.0.4";
        response.body = m_context->metrics.render();
        return respond(std::move(response), keepAlive);
    }

    const auto executor = m_stream.get_executor();
    if (get && m_path == "/healthz") {
        // The check may ask the database, so it runs where handlers run.
        net::post(m_context->workers, [self = this->shared_from_this(), executor, keepAlive] {
            bool healthy = false;
            try {
                healthy = !self->m_context->health || self->m_context->health();
            } catch (const std::exception &) {
                healthy = false;
            }
            ApiResponse response;
            response.route = "/healthz";
            response.status = healthy ? 200 : 503;
            response.body = healthy ? R"({"status":"ok"})" : R"({"status":"unavailable"})";
            net::post(executor, [self, response = std::move(response), keepAlive]() mutable {
                self->respond(std::move(response), keepAlive);
            });
        });
        return;
    }

    ApiRequest api;
    api.method = m_method;
    api.target = std::string(request.target());
    api.authorization = std::string(request[http::field::authorization]);
    api.contentType = std::string(request[http::field::content_type]);
    api.body = std::move(request.body());
    api.remoteAddress = m_admission.remoteAddress;

    auto wait = m_context->addressLimiter.take("address:" + api.remoteAddress);
    if (wait.count() == 0) {
        const std::string tokenKey = RateLimiter::tokenKey(api.authorization);
        if (!tokenKey.empty())
            wait = m_context->tokenLimiter.take(tokenKey);
    }
    if (wait.count() > 0) {
        auto response = transportError(429, "rate_limited", "Too many requests; try again after Retry-After seconds.");
        const auto seconds = (wait.count() + 999) / 1000;
        response.headers.emplace_back("Retry-After", std::to_string(std::max<long long>(1, seconds)));
        return respond(std::move(response), keepAlive);
    }

    if (m_context->shortcut) {
        std::optional<ApiResponse> quick;
        try {
            quick = m_context->shortcut(api);
        } catch (const std::exception &) {
            quick.reset(); // the handler gives the answer
        }
        if (quick)
            return respond(std::move(*quick), keepAlive);
    }

    net::post(m_context->workers, [self = this->shared_from_this(), executor, api = std::move(api), keepAlive] {
        ApiResponse response;
        try {
            response = self->m_context->handler(api);
        } catch (const std::exception &) {
            response = transportError(500, "internal", "The server failed to answer this request; try again.");
        }
        net::post(executor, [self, response = std::move(response), keepAlive]() mutable {
            self->respond(std::move(response), keepAlive);
        });
    });
}

template<class Stream> void Session<Stream>::respond(ApiResponse response, bool keepAlive)
{
    m_busy = true;
    m_closeAfter = !keepAlive || m_context->stopping;

    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_started);
    // Unrouted paths share one label: a scanner must not grow /metrics.
    m_context->metrics.record(response.route.empty() ? std::string_view("unmatched") : std::string_view(response.route),
                              response.status, response.errorCode, std::chrono::duration<double>(elapsed).count(),
                              std::chrono::duration<double>(response.databaseTime).count());
    if (m_context->log)
        m_context->log->write({std::chrono::system_clock::now(), m_method,
                               response.route.empty() ? m_path : response.route, response.status, elapsed,
                               response.databaseTime, response.playerId, m_admission.remoteAddress,
                               response.errorCode});

    m_response = {};
    m_response.version(11);
    m_response.result(unsigned(response.status));
    m_response.set(http::field::content_type, response.contentType);
    for (const auto &[name, value] : response.headers)
        m_response.set(name, value);
    m_response.keep_alive(!m_closeAfter);
    m_response.body() = std::move(response.body);
    m_response.prepare_payload();

    // A client that does not take its answer loses the connection too.
    beast::get_lowest_layer(m_stream).expires_after(m_context->config.readTimeout);
    http::async_write(m_stream, m_response, [self = this->shared_from_this()](beast::error_code error, std::size_t) {
        self->onWrite(error);
    });
}

template<class Stream> void Session<Stream>::onWrite(beast::error_code error)
{
    m_busy = false;
    if (error)
        return close();
    if (m_closeAfter)
        return closeGracefully();
    readRequest();
}

template<class Stream> void Session<Stream>::closeGracefully()
{
    if constexpr (std::is_same_v<Stream, TlsStream>) {
        beast::get_lowest_layer(m_stream).expires_after(std::min(lingerTimeout, m_context->config.readTimeout));
        m_stream.async_shutdown([self = this->shared_from_this()](beast::error_code) { self->close(); });
    } else {
        beast::error_code ignored;
        m_stream.socket().shutdown(net::ip::tcp::socket::shutdown_send, ignored);
        beast::get_lowest_layer(m_stream).expires_after(std::min(lingerTimeout, m_context->config.readTimeout));
        drain();
    }
}

template<class Stream> void Session<Stream>::drain()
{
    if constexpr (std::is_same_v<Stream, PlainStream>) {
        m_stream.async_read_some(net::buffer(m_discard),
                                 [self = this->shared_from_this()](beast::error_code error, std::size_t) {
                                     if (error)
                                         return self->close();
                                     self->drain();
                                 });
    }
}

template<class Stream> void Session<Stream>::close()
{
    beast::get_lowest_layer(m_stream).close();
}

template class Session<PlainStream>;
template class Session<TlsStream>;

} // namespace kestrune::server
