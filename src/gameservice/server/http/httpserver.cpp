#include "gameservice/server/http/httpserver.h"

#include "gameservice/server/http/servercontext.h"
#include "gameservice/server/http/session.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>

#include <stdexcept>
#include <thread>
#include <vector>

namespace kestrune::server {

namespace net = boost::asio;
namespace beast = boost::beast;
using tcp = net::ip::tcp;

struct HttpServer::Listener
{
    net::io_context io;
    // While a handler runs on a worker, its connection has no operation
    // pending; once stop() has closed the acceptor nothing else may be, and
    // the I/O threads must not run out of work before the answer is posted.
    net::executor_work_guard<net::io_context::executor_type> work{io.get_executor()};
    tcp::acceptor acceptor{net::make_strand(io)};
    net::steady_timer pause{acceptor.get_executor()}; // between failed accepts
    std::vector<std::thread> threads;
    std::uint16_t port = 0;
    bool running = false;
};

namespace {

std::string addressOf(const tcp::socket &socket)
{
    beast::error_code error;
    auto address = socket.remote_endpoint(error).address();
    if (error)
        return {};
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        address = net::ip::make_address_v4(net::ip::v4_mapped, address.to_v6());
    return address.to_string();
}

void accept(const std::shared_ptr<ServerContext> &context, tcp::acceptor &acceptor, net::steady_timer &pause,
            net::io_context &io)
{
    acceptor.async_accept(
        net::make_strand(io), [context, &acceptor, &pause, &io](beast::error_code error, tcp::socket socket) {
            if (error == net::error::operation_aborted || !acceptor.is_open())
                return;
            if (error) {
                // Out of descriptors (EMFILE) and the like: retrying at once
                // would spin; a pause lets connections close meanwhile.
                pause.expires_after(std::chrono::milliseconds(50));
                pause.async_wait([context, &acceptor, &pause, &io](beast::error_code) {
                    if (acceptor.is_open())
                        accept(context, acceptor, pause, io);
                });
                return;
            }
            if (!context->stopping) {
                const auto open = std::size_t(std::max<std::int64_t>(0, context->metrics.openConnections()));
                const auto cap = context->config.maxConnections;
                // Over the cap a connection still gets a 503 to read; far over
                // it, only a close, so a flood cannot hold sockets for answers.
                if (open < 2 * cap) {
                    Admission admission{addressOf(socket), open >= cap};
                    std::make_shared<Session<PlainStream>>(context, PlainStream(std::move(socket)),
                                                           beast::flat_buffer(), std::move(admission))
                        ->run();
                }
            }
            accept(context, acceptor, pause, io);
        });
}

} // namespace

HttpServer::HttpServer(HttpServerConfig config, ApiHandler handler, HealthCheck health, RequestLog *log)
    : m_context(std::make_shared<ServerContext>(std::move(config), std::move(handler), std::move(health), log))
    , m_listener(std::make_unique<Listener>())
{
}

HttpServer::~HttpServer()
{
    stop();
}

void HttpServer::setShortcut(ApiShortcut shortcut)
{
    if (m_listener->running)
        throw std::logic_error("an HttpServer's shortcut is set before it starts");
    m_context->shortcut = std::move(shortcut);
}

void HttpServer::start()
{
    if (m_listener->running || m_context->stopping)
        throw std::logic_error("an HttpServer starts once");
    const auto &config = m_context->config;
    if (config.tlsCertificateFile.empty() != config.tlsKeyFile.empty())
        throw std::runtime_error("TLS needs both a certificate and a key");
    if (!config.tlsCertificateFile.empty()) {
        auto &tls = m_context->tls.emplace(net::ssl::context::tls_server);
        tls.set_options(net::ssl::context::default_workarounds | net::ssl::context::no_sslv2
                        | net::ssl::context::no_sslv3 | net::ssl::context::no_tlsv1 | net::ssl::context::no_tlsv1_1);
        beast::error_code error;
        tls.use_certificate_chain_file(config.tlsCertificateFile, error);
        if (error)
            throw std::runtime_error("cannot load the TLS certificate " + config.tlsCertificateFile + ": "
                                     + error.message());
        tls.use_private_key_file(config.tlsKeyFile, net::ssl::context::pem, error);
        if (error)
            throw std::runtime_error("cannot load the TLS key " + config.tlsKeyFile + ": " + error.message());
    }

    beast::error_code error;
    const auto address = net::ip::make_address(config.address, error);
    if (error)
        throw std::runtime_error("not an IP address: " + config.address);
    const tcp::endpoint endpoint(address, config.port);
    auto &acceptor = m_listener->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error)
        acceptor.set_option(net::socket_base::reuse_address(true), error);
    if (!error)
        acceptor.bind(endpoint, error);
    if (!error)
        acceptor.listen(net::socket_base::max_listen_connections, error);
    if (error)
        throw std::runtime_error("cannot listen on " + config.address + " port " + std::to_string(config.port) + ": "
                                 + error.message());
    m_listener->port = acceptor.local_endpoint().port();

    accept(m_context, acceptor, m_listener->pause, m_listener->io);
    m_listener->running = true;
    for (int i = 0; i < std::max(1, config.ioThreads); ++i)
        m_listener->threads.emplace_back([this] { m_listener->io.run(); });
}

std::uint16_t HttpServer::port() const
{
    return m_listener->port;
}

void HttpServer::stop()
{
    if (!m_listener->running)
        return;
    m_listener->running = false;
    m_context->stopping = true;
    net::post(m_listener->acceptor.get_executor(), [this] {
        beast::error_code ignored;
        m_listener->acceptor.close(ignored);
    });

    const auto openConnections = [this] {
        std::vector<std::shared_ptr<Connection>> open;
        std::lock_guard lock(m_context->mutex);
        for (const auto &[connection, handle] : m_context->connections)
            if (auto alive = handle.lock())
                open.push_back(std::move(alive));
        return open;
    };
    const auto waitForDrain = [this](std::chrono::milliseconds bound) {
        std::unique_lock lock(m_context->mutex);
        return m_context->drained.wait_for(lock, bound, [this] { return m_context->connections.empty(); });
    };

    for (const auto &connection : openConnections())
        connection->stop();
    if (!waitForDrain(m_context->config.stopTimeout)) {
        // Past the bound: the connections still open are cut.
        for (const auto &connection : openConnections())
            connection->abort();
        waitForDrain(std::chrono::seconds(1));
    }
    // A handler still running keeps its worker until it returns; joining
    // waits for it, as its database call cannot be cut short from here.
    m_listener->io.stop();
    for (auto &thread : m_listener->threads)
        thread.join();
    m_listener->threads.clear();
    m_context->workers.join();
    // Every request answered is in the log when stop() returns.
    if (m_context->log)
        m_context->log->flush();
}

std::string HttpServer::metricsText() const
{
    return m_context->metrics.render();
}

} // namespace kestrune::server
