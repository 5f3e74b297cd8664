#include "httptransportloader.h"
#include "scriptedhttpserver.h"
#include "selfsignedcertificate.h"
#include "serverprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

#include <nlohmann/json.hpp>

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <thread>

using namespace std::chrono_literals;
using kestrune::net::HttpRequest;
using kestrune::net::HttpResponse;
using kestrune::net::HttpTransport;
using kestrune::net::HttpTransportLoader;
using kestrune::net::HttpTransportOptions;
using kestrune::net::test::ScriptedHttpServer;
using kestrune::server::test::ServerProcess;
using Failure = HttpResponse::Failure;

Q_DECLARE_METATYPE(Failure)

namespace {

// Far beyond any loopback answer, and far below the transport timeouts the
// tests that use it set, so a hang shows as a failure rather than a stall.
constexpr auto bound = 30s;

std::shared_ptr<HttpTransport> loadTransport(HttpTransportOptions options = {}, int timeoutMs = 60000)
{
    options.totalTimeoutMs = timeoutMs;
    QString error;
    auto transport = HttpTransportLoader::load(options, &error);
    if (!transport)
        qWarning("%s", qPrintable(error));
    return transport;
}

// The answer, or nothing when the send did not end within `bound` (it is
// then cancelled, so that the test ends).
std::optional<HttpResponse> sendWithin(HttpTransport &transport, const HttpRequest &request)
{
    auto future = std::async(std::launch::async, [&] { return transport.send(request); });
    if (future.wait_for(bound) != std::future_status::ready) {
        transport.cancelAll();
        future.wait();
        return std::nullopt;
    }
    return future.get();
}

const char *describe(const HttpResponse &response)
{
    static thread_local std::string text;
    text = "failure " + std::to_string(int(response.failure)) + ": " + response.error + "; status "
           + std::to_string(response.status) + "; body " + response.body.substr(0, 200);
    return text.c_str();
}

} // namespace

class HttpTransportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<ServerProcess> m_server;
    std::unique_ptr<ServerProcess> m_tlsServer; // started by the first tls() row

    std::string base(std::uint16_t port, const char *scheme = "http") const
    {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port);
    }

    std::unique_ptr<ServerProcess> startServer(const QString &name, const QStringList &arguments)
    {
        auto server = std::make_unique<ServerProcess>(QStringLiteral("sqlite:") + m_folder.filePath(name + ".db"),
                                                      m_folder.filePath(name + "-requests.log"), arguments);
        if (!server->start()) {
            qWarning("%s", qPrintable(server->error()));
            return nullptr;
        }
        return server;
    }

    // A new account on the shared server, as the server describes it; empty
    // when it was not created.
    nlohmann::json createAccount(HttpTransport &transport, const std::string &name)
    {
        const HttpResponse created = transport.send({"POST",
                                                     base(m_server->port()) + "/v1/accounts",
                                                     {{"Content-Type", "application/json"}},
                                                     nlohmann::json{{"displayName", name}}.dump()});
        return created.status == 201 ? nlohmann::json::parse(created.body) : nlohmann::json::object();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        // Loopback only: a proxy of the machine running the tests stays out.
        for (const char *name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        QVERIFY2(!qEnvironmentVariable("KESTRUNE_HTTP_MODULE").isEmpty(), "run through ctest, which names the module");
        m_server = startServer(QStringLiteral("shared"), {QStringLiteral("--rate-limit"), QStringLiteral("0")});
        QVERIFY(m_server);
    }

    void cleanupTestCase()
    {
        m_tlsServer.reset();
        m_server.reset();
    }

    void accountsAgainstTheServer()
    {
        auto transport = loadTransport();
        QVERIFY(transport);
        const std::string accounts = base(m_server->port()) + "/v1/accounts";

        const auto account = createAccount(*transport, "Transported");
        const std::string token = account.value("token", std::string());
        QVERIFY(!token.empty());

        const HttpResponse me = transport->send({"GET", accounts + "/me", {{"Authorization", "Bearer " + token}}, {}});
        QCOMPARE(me.status, 200);
        const auto who = nlohmann::json::parse(me.body);
        QCOMPARE(who.value("playerId", std::string()), account.value("playerId", std::string("?")));
        QCOMPARE(who.value("displayName", std::string()), std::string("Transported"));

        // The header, not the connection, is what identified the player.
        const HttpResponse anonymous = transport->send({"GET", accounts + "/me", {}, {}});
        QCOMPARE(anonymous.failure, Failure::none);
        QCOMPARE(anonymous.status, 401);
        QCOMPARE(anonymous.header("www-authenticate"), std::string("Bearer"));
    }

    void refusedConnectionIsAConnectFailure()
    {
        std::uint16_t port = 0;
        {
            ScriptedHttpServer closed(ScriptedHttpServer::answer(200, {}, {}));
            QVERIFY(closed.listening());
            port = closed.port();
        }
        auto transport = loadTransport();
        QVERIFY(transport);
        const auto answer = sendWithin(*transport, {"GET", base(port) + "/", {}, {}});
        QVERIFY(answer);
        QVERIFY2(answer->failure == Failure::connect, describe(*answer));
        QVERIFY(!answer->error.empty());
        QVERIFY(answer->error.find('\n') == std::string::npos);
    }

    void silentServerTimesOut()
    {
        ScriptedHttpServer silent({});
        QVERIFY(silent.listening());
        auto transport = loadTransport({}, 300);
        QVERIFY(transport);
        const auto answer = sendWithin(*transport, {"GET", silent.url(), {}, {}});
        QVERIFY(answer);
        QVERIFY2(answer->failure == Failure::timeout, describe(*answer));
        // Connected and asked: the whole exchange timed out, not the connection.
        QVERIFY(silent.waitForRequests(1, bound));
    }

    void cancelAllEndsWaitingAndLaterRequests()
    {
        ScriptedHttpServer silent({});
        QVERIFY(silent.listening());
        auto transport = loadTransport(); // its timeout (a minute) is far beyond the wait below
        QVERIFY(transport);

        std::vector<std::future<HttpResponse>> waiting;
        for (int i = 0; i < 2; ++i)
            waiting.push_back(std::async(std::launch::async, [&] {
                return transport->send({"GET", silent.url(), {}, {}});
            }));
        QVERIFY(silent.waitForConnections(2, bound));
        transport->cancelAll();
        for (auto &request : waiting) {
            QVERIFY(request.wait_for(bound) == std::future_status::ready);
            const HttpResponse answer = request.get();
            QVERIFY2(answer.failure == Failure::cancelled, describe(answer));
        }

        const auto later = sendWithin(*transport, {"GET", silent.url(), {}, {}});
        QVERIFY(later);
        QCOMPARE(later->failure, Failure::cancelled);
        QCOMPARE(silent.connections(), 2); // failed without trying

        // Other transports are not affected.
        ScriptedHttpServer answering(ScriptedHttpServer::answer(204, {}, {}));
        auto other = loadTransport();
        QVERIFY(other);
        QCOMPARE(other->send({"GET", answering.url(), {}, {}}).status, 204);
    }

    void tls_data()
    {
        QTest::addColumn<QString>("authorities"); // "server", "stranger", "missing", "text" or empty
        QTest::addColumn<QString>("host");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("errorMentions");
        const auto row = [](const char *name, QString authorities, QString host, Failure failure, QString mentions) {
            QTest::newRow(name) << authorities << host << failure << mentions;
        };
        row("trusted", "server", "127.0.0.1", Failure::none, "");
        row("system authorities only", "", "127.0.0.1", Failure::tls, "");
        row("another authority", "stranger", "127.0.0.1", Failure::tls, "");
        // The certificate names 127.0.0.1 only: the host is checked too.
        row("wrong host name", "server", "localhost", Failure::tls, "");
        row("authorities file missing", "missing", "127.0.0.1", Failure::tls, "missing.pem");
        row("authorities file not PEM", "text", "127.0.0.1", Failure::tls, "text.pem");
    }

    void tls()
    {
        QFETCH(QString, authorities);
        QFETCH(QString, host);
        QFETCH(Failure, failure);
        QFETCH(QString, errorMentions);

        auto &server = m_tlsServer;
        const QString certificate = m_folder.filePath(QStringLiteral("server.pem"));
        const QString stranger = m_folder.filePath(QStringLiteral("stranger.pem"));
        if (!server) {
            const QString key = m_folder.filePath(QStringLiteral("server.key"));
            QVERIFY(kestrune::test::writeSelfSignedCertificate(certificate.toStdString(), key.toStdString()));
            QVERIFY(kestrune::test::writeSelfSignedCertificate(
                stranger.toStdString(), m_folder.filePath(QStringLiteral("stranger.key")).toStdString()));
            QFile text(m_folder.filePath(QStringLiteral("text.pem")));
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a certificate\n");
            server = startServer(QStringLiteral("tls"),
                                 {QStringLiteral("--rate-limit"), QStringLiteral("0"), QStringLiteral("--tls-cert"),
                                  certificate, QStringLiteral("--tls-key"), key});
            QVERIFY(server);
        }

        HttpTransportOptions options;
        if (authorities == "server")
            options.extraCaFile = certificate.toStdString();
        else if (!authorities.isEmpty())
            options.extraCaFile = m_folder.filePath(authorities + ".pem").toStdString();
        auto transport = loadTransport(options);
        QVERIFY(transport);
        const std::string url =
            "https://" + host.toStdString() + ":" + std::to_string(server->port()) + "/v1/leaderboards";
        const auto answer = sendWithin(*transport, {"GET", url, {}, {}});
        QVERIFY(answer);
        QVERIFY2(answer->failure == failure, describe(*answer));
        if (failure == Failure::none)
            QCOMPARE(answer->status, 200);
        else
            QVERIFY2(answer->error.find(errorMentions.toStdString()) != std::string::npos, describe(*answer));
    }

    void fourThreadsAtOnce()
    {
        auto transport = loadTransport();
        QVERIFY(transport);
        const std::string token = createAccount(*transport, "Threaded").value("token", std::string());
        QVERIFY(!token.empty());

        constexpr int threads = 4;
        constexpr int perThread = 10;
        std::atomic<int> answered{0};
        std::vector<std::thread> senders;
        for (int t = 0; t < threads; ++t)
            senders.emplace_back([&] {
                for (int i = 0; i < perThread; ++i) {
                    const HttpResponse me = transport->send({"GET",
                                                             base(m_server->port()) + "/v1/accounts/me",
                                                             {{"Authorization", "Bearer " + token}},
                                                             {}});
                    if (me.status == 200 && me.body.find("Threaded") != std::string::npos)
                        ++answered;
                }
            });
        for (auto &sender : senders)
            sender.join();
        QCOMPARE(answered.load(), threads * perThread);
    }

    void keptAliveConnectionIsReused()
    {
        ScriptedHttpServer server(ScriptedHttpServer::answer(200, {}, "hello"));
        auto transport = loadTransport();
        QVERIFY(transport);
        for (int i = 0; i < 3; ++i) {
            const HttpResponse answer = transport->send({"GET", server.url(), {}, {}});
            QCOMPARE(answer.body, std::string("hello"));
        }
        QCOMPARE(server.requests(), 3);
        QCOMPARE(server.connections(), 1);
    }

    void requestAsSent_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("contentType");
        const auto row = [](const char *name, QString method, QString body, QString type) {
            QTest::newRow(name) << method << body << type;
        };
        row("GET", "GET", "", "");
        row("POST json", "POST", R"({"a":1})", "application/json");
        row("POST unlabelled", "POST", "{}", "");
        row("POST empty", "POST", "", "");
        row("PATCH", "PATCH", R"({"displayName":"B"})", "application/json");
        row("DELETE", "DELETE", "", "");
    }

    void requestAsSent()
    {
        QFETCH(QString, method);
        QFETCH(QString, body);
        QFETCH(QString, contentType);

        ScriptedHttpServer server(ScriptedHttpServer::answer(200, {}, {}));
        HttpTransportOptions options;
        options.userAgent = "kestrune-test/7";
        auto transport = loadTransport(options);
        QVERIFY(transport);

        HttpRequest request{method.toStdString(),
                            server.url("/v1/thing?x=1"),
                            {{"X-Trace", "abc"}, {"X-Empty", ""}},
                            body.toStdString()};
        if (!contentType.isEmpty())
            request.headers.emplace_back("Content-Type", contentType.toStdString());
        const HttpResponse answer = transport->send(request);
        QVERIFY2(answer.status == 200, describe(answer));

        const auto received = server.received();
        QCOMPARE(received.size(), std::size_t(1));
        const std::string &sent = received.front();
        QVERIFY2(sent.starts_with(method.toStdString() + " /v1/thing?x=1 HTTP/1.1\r\n"), sent.c_str());
        QVERIFY2(sent.ends_with("\r\n\r\n" + body.toStdString()), sent.c_str());
        std::vector<std::string> lines{"\r\nUser-Agent: kestrune-test/7\r\n", "\r\nX-Trace: abc\r\n", "\r\nX-Empty:"};
        if (!contentType.isEmpty())
            lines.push_back("\r\nContent-Type: " + contentType.toStdString() + "\r\n");
        for (const std::string &line : lines)
            QVERIFY2(sent.find(line) != std::string::npos, sent.c_str());
        // Never a label the caller did not give.
        QVERIFY2(sent.find("x-www-form-urlencoded") == std::string::npos, sent.c_str());
    }

    void answerHeaders()
    {
        // An interim answer's headers belong to it, not to the final one.
        const std::string interim = "HTTP/1.1 100 Continue\r\nX-Interim: yes\r\n\r\n";
        ScriptedHttpServer server(
            interim
            + ScriptedHttpServer::answer(201, "X-Mixed-Case:  Spaced Value \r\nSet-Cookie: a=1\r\nSet-Cookie: b=2\r\n",
                                         "made"));
        auto transport = loadTransport();
        QVERIFY(transport);
        const HttpResponse answer = transport->send({"POST", server.url(), {}, "x"});
        QCOMPARE(answer.status, 201);
        QCOMPARE(answer.body, std::string("made"));
        QCOMPARE(answer.header("x-mixed-case"), std::string("Spaced Value"));
        QCOMPARE(answer.header("X-Mixed-Case"), std::string()); // names are stored in lower case
        QCOMPARE(answer.header("x-interim"), std::string());
        std::vector<std::string> cookies;
        for (const auto &[name, value] : answer.headers)
            if (name == "set-cookie")
                cookies.push_back(value);
        QCOMPARE(cookies, (std::vector<std::string>{"a=1", "b=2"}));
    }

    void redirectIsNotFollowed()
    {
        ScriptedHttpServer target(ScriptedHttpServer::answer(200, {}, "elsewhere"));
        ScriptedHttpServer server(ScriptedHttpServer::answer(302, "Location: " + target.url() + "\r\n", {}));
        auto transport = loadTransport();
        QVERIFY(transport);
        const HttpResponse answer = transport->send({"GET", server.url(), {}, {}});
        QCOMPARE(answer.status, 302);
        QCOMPARE(answer.header("location"), target.url());
        QCOMPARE(target.connections(), 0);
    }

    void answerSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("chunked"); // no length up front: caught while reading
        QTest::addColumn<bool>("accepted");

        constexpr int mebibyte = 1024 * 1024;
        QTest::newRow("one MiB") << mebibyte << false << true;
        QTest::newRow("one MiB chunked") << mebibyte << true << true;
        QTest::newRow("five MiB") << 5 * mebibyte << false << false;
        QTest::newRow("five MiB chunked") << 5 * mebibyte << true << false;
    }

    void answerSize()
    {
        QFETCH(int, size);
        QFETCH(bool, chunked);
        QFETCH(bool, accepted);

        const std::string body(std::size_t(size), 'k');
        std::string answer = ScriptedHttpServer::answer(200, {}, body);
        if (chunked) {
            char length[32];
            std::snprintf(length, sizeof length, "%x", size);
            answer = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(length) + "\r\n" + body
                     + "\r\n0\r\n\r\n";
        }
        ScriptedHttpServer server(answer);
        auto transport = loadTransport();
        QVERIFY(transport);
        const auto response = sendWithin(*transport, {"GET", server.url(), {}, {}});
        QVERIFY(response);
        if (accepted) {
            QVERIFY2(response->failure == Failure::none, describe(*response));
            QCOMPARE(response->body.size(), body.size());
        } else {
            QCOMPARE(response->failure, Failure::other);
            QVERIFY2(response->error.find("larger than 4 MiB") != std::string::npos, describe(*response));
            QVERIFY(response->body.empty());
        }
    }

    void badRequestsAreRefusedUnsent_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("url"); // "%1" is the scripted server's port
        QTest::addColumn<QString>("headerName");
        QTest::addColumn<QString>("headerValue");

        const auto row = [](const char *name, QString method, QString url, QString header, QString value) {
            QTest::newRow(name) << method << url << header << value;
        };
        const QString good = QStringLiteral("http://127.0.0.1:%1/");
        row("method with a space", "GE T", good, "X-Ok", "1");
        row("empty method", "", good, "X-Ok", "1");
        row("header value with a line break", "GET", good, "X-Ok", "1\r\nX-Injected: 1");
        row("header name with a space", "GET", good, "X Bad", "1");
        row("file URL", "GET", "file:///etc/hostname", "X-Ok", "1");
        row("other protocol", "GET", "ftp://127.0.0.1:%1/", "X-Ok", "1");
        row("not a URL", "GET", "::nonsense::", "X-Ok", "1");
    }

    void badRequestsAreRefusedUnsent()
    {
        QFETCH(QString, method);
        QFETCH(QString, url);
        QFETCH(QString, headerName);
        QFETCH(QString, headerValue);

        ScriptedHttpServer server(ScriptedHttpServer::answer(200, {}, "never"));
        auto transport = loadTransport();
        QVERIFY(transport);
        if (url.contains(QLatin1String("%1")))
            url = url.arg(server.port());
        const HttpRequest request{
            method.toStdString(), url.toStdString(), {{headerName.toStdString(), headerValue.toStdString()}}, {}};
        const auto answer = sendWithin(*transport, request);
        QVERIFY(answer);
        QVERIFY2(answer->failure == Failure::other, describe(*answer));
        QVERIFY(!answer->error.empty());
        QVERIFY(answer->body.empty());
        QCOMPARE(server.requests(), 0);

        // The transport still works afterwards.
        QCOMPARE(transport->send({"GET", server.url(), {}, {}}).body, std::string("never"));
    }

    void proxyFromTheEnvironment()
    {
        ScriptedHttpServer proxy(ScriptedHttpServer::answer(200, {}, "proxied"));
        QVERIFY(proxy.listening());
        auto transport = loadTransport();
        QVERIFY(transport);
        qputenv("http_proxy", QByteArray::fromStdString(proxy.url()));
        // The name is never looked up here: the proxy is asked for it.
        const auto answer = sendWithin(*transport, {"GET", "http://kestrune.invalid/v1/leaderboards", {}, {}});
        qunsetenv("http_proxy");
        QVERIFY(answer);
        QVERIFY2(answer->body == "proxied", describe(*answer));
        const auto received = proxy.received();
        QCOMPARE(received.size(), std::size_t(1));
        QVERIFY2(received.front().starts_with("GET http://kestrune.invalid/v1/leaderboards HTTP/1.1\r\n"),
                 received.front().c_str());
    }

    void missingModuleNamesWhereItLooked()
    {
        const QByteArray saved = qgetenv("KESTRUNE_HTTP_MODULE");
        const QString missing = m_folder.filePath(QStringLiteral("nowhere/libkestrune_http_curl.so"));
        qputenv("KESTRUNE_HTTP_MODULE", QFile::encodeName(missing));
        QString error;
        const auto transport = HttpTransportLoader::load({}, &error);
        qputenv("KESTRUNE_HTTP_MODULE", saved);

        QVERIFY(!transport);
        QVERIFY2(error.contains(QStringLiteral("was not found")), qPrintable(error));
        QVERIFY2(error.contains(missing), qPrintable(error));
        QVERIFY2(error.contains(QCoreApplication::applicationDirPath()), qPrintable(error));
        // The installed place is looked at too.
        QCOMPARE(HttpTransportLoader::candidates().size(), 3);
        QVERIFY2(error.contains(HttpTransportLoader::candidates().last()), qPrintable(error));

        // The module found again as soon as it is where it is looked for.
        QVERIFY(HttpTransportLoader::load({}, &error));
    }

    void moduleRefusesAnotherInterfaceVersion()
    {
        QLibrary module(qEnvironmentVariable("KESTRUNE_HTTP_MODULE"));
        const auto factory =
            reinterpret_cast<KestruneHttpTransportFactory>(module.resolve(KESTRUNE_HTTP_TRANSPORT_FACTORY));
        QVERIFY2(factory, qPrintable(module.errorString()));
        const HttpTransportOptions options;
        QCOMPARE(factory(&options, kestrune::net::httpTransportAbiVersion + 1), nullptr);
        QCOMPARE(factory(nullptr, kestrune::net::httpTransportAbiVersion), nullptr);
        std::unique_ptr<HttpTransport> fitting(factory(&options, kestrune::net::httpTransportAbiVersion));
        QVERIFY(fitting);
    }
};

QTEST_GUILESS_MAIN(HttpTransportTest)
#include "tst_httptransport.moc"
