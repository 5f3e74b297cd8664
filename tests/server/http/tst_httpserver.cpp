#include "gameservice/server/http/httpserver.h"
#include "gameservice/server/http/requestlog.h"
#include "selfsignedcertificate.h"
#include "stubapi.h"
#include "testclient.h"

#include <nlohmann/json.hpp>

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>
#include <sstream>
#include <thread>

using namespace kestrune::server;
using kestrune::test::HttpResponse;
using kestrune::test::StubApi;
using kestrune::test::TestClient;

namespace {

HttpServerConfig testConfig()
{
    HttpServerConfig config;
    config.address = "127.0.0.1";
    config.port = 0;
    config.ioThreads = 2;
    config.workerThreads = 4;
    config.readTimeout = std::chrono::seconds(10);
    config.stopTimeout = std::chrono::seconds(10);
    config.tokenRate = 0;
    config.addressRate = 0;
    return config;
}

// A server on a stub API; started unless the test has more to set first.
struct Served
{
    explicit Served(const HttpServerConfig &config = testConfig(), bool start = true, RequestLog *log = nullptr)
        : server(config, api.handler(), {}, log)
    {
        if (start)
            server.start();
    }
    std::uint16_t port() const { return server.port(); }

    StubApi api;
    HttpServer server;
};

std::string errorCode(const std::optional<HttpResponse> &response)
{
    const auto json = nlohmann::json::parse(response ? response->body() : "", nullptr, false);
    if (json.is_discarded() || !json.contains("error"))
        return "(no JSON error)";
    return json["error"].value("code", "(no code)");
}

int statusOf(const std::optional<HttpResponse> &response)
{
    return response ? response->result_int() : -1;
}

// The value of the first /metrics sample whose line starts with `prefix`,
// or -1 when there is none.
double sample(const std::string &metrics, const std::string &prefix)
{
    std::istringstream lines(metrics);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stod(line.substr(line.rfind(' ') + 1));
    return -1;
}

// Polls a condition the server reaches on its own threads, bounded.
template<class Condition> bool eventually(Condition condition)
{
    for (int i = 0; i < 200; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return condition();
}

} // namespace

class TestHttpServer : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheConnectionAliveAndPassesTheRequestOn()
    {
        Served s;
        QVERIFY(s.port() != 0);
        TestClient client(s.port());
        QVERIFY(client.connected());
        const auto first = client.request("POST", "/v1/echo?scope=week", R"({"score":12})",
                                          {{"Authorization", "Bearer abc"}, {"Content-Type", "application/json"}});
        QCOMPARE(statusOf(first), 200);
        QCOMPARE(first->body(), std::string(R"({"score":12})"));
        QCOMPARE(std::string((*first)["X-Echo"]), std::string("yes"));
        QVERIFY(first->keep_alive());
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);

        const auto seen = s.api.requests();
        QCOMPARE(seen.size(), std::size_t(2));
        QCOMPARE(seen[0].method, std::string("POST"));
        QCOMPARE(seen[0].target, std::string("/v1/echo?scope=week"));
        QCOMPARE(seen[0].authorization, std::string("Bearer abc"));
        QCOMPARE(seen[0].contentType, std::string("application/json"));
        QCOMPARE(seen[0].remoteAddress, std::string("127.0.0.1"));
        QCOMPARE(seen[1].authorization, std::string());
    }

    void limits_data()
    {
        QTest::addColumn<int>("bodySize");
        QTest::addColumn<int>("headerSize");
        QTest::addColumn<int>("status");
        QTest::newRow("16 KiB of body is taken") << 16 * 1024 << 0 << 200;
        QTest::newRow("one byte more is refused") << 16 * 1024 + 1 << 0 << 413;
        QTest::newRow("7 KiB of headers pass") << 0 << 7 * 1024 << 200;
        QTest::newRow("9 KiB of headers are refused") << 0 << 9 * 1024 << 431;
    }
    void limits()
    {
        QFETCH(int, bodySize);
        QFETCH(int, headerSize);
        QFETCH(int, status);
        Served s;
        TestClient client(s.port());
        const std::string body(std::size_t(bodySize), 'x');
        const auto response = client.request(bodySize ? "POST" : "GET", "/v1/echo", body,
                                             {{"X-Padding", std::string(std::size_t(headerSize), 'h')}});
        QCOMPARE(statusOf(response), status);
        if (status == 200) {
            QCOMPARE(response->body(), body);
            return;
        }
        QCOMPARE(errorCode(response), std::string(status == 413 ? "payload_too_large" : "headers_too_large"));
        QCOMPARE(s.api.calls(), 0);
        if (status == 413)
            QVERIFY(!response->keep_alive());
    }

    void continuesWhenAskedToBeforeTheBody()
    {
        Served s;
        TestClient client(s.port());
        QVERIFY(client.send("POST /v1/echo HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\nContent-Length: 5\r\n\r\n"));
        QCOMPARE(statusOf(client.receive()), 100);
        QVERIFY(client.send("hello"));
        const auto response = client.receive();
        QCOMPARE(statusOf(response), 200);
        QCOMPARE(response->body(), std::string("hello"));
    }

    void malformedRequestAndFailingHandlerAreAnswered()
    {
        Served s;
        TestClient client(s.port());
        QVERIFY(client.send("GET /v1/echo HTTP/1.1\r\nHost: x\r\nContent-Length: nine\r\n\r\n"));
        const auto malformed = client.receive();
        QCOMPARE(statusOf(malformed), 400);
        QCOMPARE(errorCode(malformed), std::string("bad_request"));
        QCOMPARE(s.api.calls(), 0);

        // The handler's exception is not told to the client.
        const auto failed = TestClient(s.port()).request("GET", "/boom");
        QCOMPARE(statusOf(failed), 500);
        QCOMPARE(errorCode(failed), std::string("internal"));
        QVERIFY(failed->body().find("database") == std::string::npos);
    }

    void slowClientIsCutWhileOthersAreServed()
    {
        auto config = testConfig();
        config.readTimeout = std::chrono::milliseconds(1000);
        Served s(config);
        TestClient slow(s.port());
        QVERIFY(slow.send("POST /v1/echo HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\nhalf"));
        TestClient other(s.port());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(statusOf(other.request("GET", "/v1/echo")), 200);
        QVERIFY(slow.closedByServer());
        QCOMPARE(s.api.calls(), 3);
        // An idle kept-alive connection is held no longer than a slow one.
        QVERIFY(other.closedByServer());
    }

    void slowHandlerDoesNotStallOtherConnections()
    {
        auto config = testConfig();
        config.ioThreads = 1;
        Served s(config);
        TestClient slow(s.port());
        QVERIFY(slow.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(s.api.waitForSlowStarted(std::chrono::seconds(10)));
        const auto response = TestClient(s.port()).request("GET", "/v1/echo");
        s.api.release();
        QCOMPARE(statusOf(response), 200);
        QCOMPARE(statusOf(slow.receive()), 200);
    }

    void connectionCap()
    {
        auto config = testConfig();
        config.maxConnections = 2;
        Served s(config);
        auto first = std::make_unique<TestClient>(s.port());
        TestClient second(s.port());
        QVERIFY(first->request("GET", "/v1/echo"));
        QVERIFY(second.request("GET", "/v1/echo"));

        TestClient third(s.port());
        const auto refused = third.request("GET", "/v1/echo");
        QCOMPARE(statusOf(refused), 503);
        QCOMPARE(errorCode(refused), std::string("overloaded"));
        QVERIFY(third.closedByServer());
        QCOMPARE(s.api.calls(), 2);

        first.reset();
        QVERIFY(eventually([&] { return sample(s.server.metricsText(), "kestrune_http_open_connections") <= 1; }));
        QCOMPARE(statusOf(TestClient(s.port()).request("GET", "/v1/echo")), 200);
    }

    void farOverTheCapConnectionsAreClosedUnanswered()
    {
        auto config = testConfig();
        config.maxConnections = 1;
        Served s(config);
        TestClient first(s.port());
        QVERIFY(first.request("GET", "/v1/echo"));
        TestClient second(s.port()); // over the cap: will be answered 503
        QVERIFY(second.connected());
        QVERIFY(eventually([&] { return sample(s.server.metricsText(), "kestrune_http_open_connections") == 2; }));

        TestClient third(s.port()); // twice the cap: closed at once
        QVERIFY(!third.request("GET", "/v1/echo"));
        QCOMPARE(statusOf(second.request("GET", "/v1/echo")), 503);
        QCOMPARE(s.api.calls(), 1);
    }

    void rateLimitPerToken()
    {
        auto config = testConfig();
        config.tokenRate = 0.01; // one token per 100 s: nothing refills during the test
        config.tokenBurst = 2;
        Served s(config);
        TestClient client(s.port());
        const std::vector<std::pair<std::string, std::string>> alice = {{"Authorization", "Bearer alice-token"}};
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, alice)), 200);
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, alice)), 200);
        const auto limited = client.request("GET", "/v1/echo", {}, alice);
        QCOMPARE(statusOf(limited), 429);
        QCOMPARE(errorCode(limited), std::string("rate_limited"));
        const int retryAfter = std::stoi(std::string((*limited)["Retry-After"]));
        QVERIFY2(retryAfter >= 90 && retryAfter <= 100, std::to_string(retryAfter).c_str());
        QVERIFY(limited->keep_alive());

        // Another token, and no token at all, from the same address still pass.
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, {{"Authorization", "Bearer bob-token"}})), 200);
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(s.api.calls(), 4);
    }

    void rateLimitPerAddress()
    {
        auto config = testConfig();
        config.addressRate = 0.01;
        config.addressBurst = 3;
        Served s(config);
        for (int i = 0; i < 3; ++i) {
            const std::string token = "Bearer t" + std::to_string(i);
            QCOMPARE(statusOf(TestClient(s.port()).request("GET", "/v1/echo", {}, {{"Authorization", token}})), 200);
        }
        TestClient client(s.port());
        const auto limited = client.request("GET", "/v1/echo", {}, {{"Authorization", "Bearer fresh"}});
        QCOMPARE(statusOf(limited), 429);
        QVERIFY(!std::string((*limited)["Retry-After"]).empty());
        // Health checks are not the clients the limit is for.
        QCOMPARE(statusOf(client.request("GET", "/healthz")), 200);
        QCOMPARE(s.api.calls(), 3);
    }

    void shortcutAnswersBehindTheLimitsWithoutTheHandler()
    {
        auto config = testConfig();
        config.addressRate = 0.01; // nothing refills during the test
        config.addressBurst = 2;
        std::ostringstream out;
        RequestLog log(out);
        Served s(config, false, &log);
        std::atomic<int> asked{0};
        s.server.setShortcut([&asked](const ApiRequest &request) -> std::optional<ApiResponse> {
            ++asked;
            if (request.target != "/v1/kept")
                return std::nullopt;
            ApiResponse response;
            response.route = "/v1/kept";
            response.body = R"({"kept":true})";
            return response;
        });
        s.server.start();
        TestClient client(s.port());

        const auto kept = client.request("GET", "/v1/kept");
        QCOMPARE(statusOf(kept), 200);
        QCOMPARE(kept->body(), std::string(R"({"kept":true})"));
        QCOMPARE(s.api.calls(), 0);
        // What it does not answer, the handler answers.
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(s.api.calls(), 1);
        // The limits apply before it is asked.
        QCOMPARE(statusOf(client.request("GET", "/v1/kept")), 429);
        QCOMPARE(asked.load(), 2);

        const auto metrics = client.request("GET", "/metrics");
        QVERIFY(metrics);
        QCOMPARE(sample(metrics->body(), R"(kestrune_http_requests_total{route="/v1/kept",status="200"} )"), 1.0);
        s.server.stop();
        QVERIFY(out.str().find(R"("route":"/v1/kept","status":200)") != std::string::npos);
    }

    void failingShortcutLeavesTheAnswerToTheHandler()
    {
        Served s(testConfig(), false);
        s.server.setShortcut([](const ApiRequest &) -> std::optional<ApiResponse> { throw std::runtime_error("no"); });
        s.server.start();
        QCOMPARE(statusOf(TestClient(s.port()).request("GET", "/v1/echo")), 200);
        QCOMPARE(s.api.calls(), 1);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, s.server.setShortcut({}));
    }

    void healthz()
    {
        StubApi api;
        std::atomic<bool> healthy{true};
        HttpServer server(testConfig(), api.handler(), [&] { return healthy.load(); });
        server.start();
        TestClient client(server.port());
        const auto response = client.request("GET", "/healthz");
        QCOMPARE(statusOf(response), 200);
        QVERIFY(nlohmann::json::parse(response->body()) == nlohmann::json({{"status", "ok"}}));
        healthy = false;
        QCOMPARE(statusOf(client.request("GET", "/healthz")), 503);
        QCOMPARE(api.calls(), 0);
    }

    void metricsCountRequests()
    {
        Served s;
        TestClient client(s.port());
        QVERIFY(client.request("GET", "/v1/echo"));
        QVERIFY(client.request("GET", "/nowhere/with/an/id/123"));
        QVERIFY(client.request("POST", "/v1/echo", std::string(17 * 1024, 'x')));

        TestClient scraper(s.port());
        const auto first = scraper.request("GET", "/metrics");
        QCOMPARE(statusOf(first), 200);
        QVERIFY(std::string((*first)["Content-Type"]).starts_with("text/plain"));
        const std::string text = first->body();
        const std::string echo = R"(kestrune_http_requests_total{route="/v1/echo",status="200"} )";
        QCOMPARE(sample(text, echo), 1.0);
        QCOMPARE(sample(text, R"(kestrune_http_requests_total{route="unmatched",status="404"} )"), 1.0);
        QCOMPARE(sample(text, R"(kestrune_http_requests_total{route="unmatched",status="413"} )"), 1.0);
        QVERIFY(text.find("/nowhere") == std::string::npos);
        QCOMPARE(sample(text, R"(kestrune_http_errors_total{code="payload_too_large"} )"), 1.0);
        QCOMPARE(sample(text, R"(kestrune_http_errors_total{code="not_found"} )"), 1.0);
        QCOMPARE(sample(text, R"(kestrune_http_request_duration_seconds_count{route="/v1/echo"} )"), 1.0);
        QCOMPARE(sample(text, R"(kestrune_http_request_duration_seconds_bucket{route="/v1/echo",le="+Inf"} )"), 1.0);
        QCOMPARE(sample(text, "kestrune_database_duration_seconds_count "), 1.0);
        QCOMPARE(sample(text, R"(kestrune_database_duration_seconds_bucket{le="0.001"} )"), 0.0);
        QCOMPARE(sample(text, R"(kestrune_database_duration_seconds_bucket{le="0.0025"} )"), 1.0);
        QVERIFY(sample(text, "kestrune_http_open_connections ") >= 1.0);

        QVERIFY(scraper.request("GET", "/v1/echo"));
        const auto second = scraper.request("GET", "/metrics");
        QVERIFY(second);
        QCOMPARE(sample(second->body(), echo), 2.0);
        QCOMPARE(sample(second->body(), R"(kestrune_http_requests_total{route="/metrics",status="200"} )"), 1.0);
    }

    void logLinesCarryNoSecrets()
    {
        std::ostringstream out;
        RequestLog log(out);
        {
            Served s(testConfig(), true, &log);
            TestClient client(s.port());
            QVERIFY(
                client.request("GET", "/v1/echo?recovery=HUSH-42", {}, {{"Authorization", "Bearer SECRET-TOKEN-99"}}));
            QVERIFY(client.request("GET", "/v1/missing?code=HUSH-43"));
            s.server.stop(); // joins the server's threads: the log is complete
        }
        const std::string text = out.str();
        for (const char *secret : {"SECRET-TOKEN", "HUSH", "Bearer"})
            QVERIFY2(text.find(secret) == std::string::npos, secret);

        std::istringstream lines(text);
        std::vector<nlohmann::json> entries;
        for (std::string line; std::getline(lines, line);)
            entries.push_back(nlohmann::json::parse(line));
        QCOMPARE(entries.size(), std::size_t(2));
        QCOMPARE(entries[0]["method"].get<std::string>(), std::string("GET"));
        QCOMPARE(entries[0]["route"].get<std::string>(), std::string("/v1/echo"));
        QCOMPARE(entries[0]["status"].get<int>(), 200);
        QCOMPARE(entries[0]["playerId"].get<std::string>(), std::string("player-7"));
        QCOMPARE(entries[0]["remoteAddress"].get<std::string>(), std::string("127.0.0.1"));
        QCOMPARE(entries[0]["databaseMs"].get<double>(), 2.0);
        QVERIFY(entries[0]["durationMs"].is_number());
        QVERIFY(std::string(entries[0]["time"]).ends_with("Z"));
        // Without a route from the API the path stands in, without its query.
        QCOMPARE(entries[1]["route"].get<std::string>(), std::string("/v1/missing"));
        QCOMPARE(entries[1]["status"].get<int>(), 404);
        QCOMPARE(entries[1]["error"].get<std::string>(), std::string("not_found"));
        QVERIFY(!entries[1].contains("playerId"));
    }

    void gracefulStopFinishesWhatIsInFlight()
    {
        Served s;
        const auto port = s.port();
        TestClient idle(port);
        QVERIFY(idle.request("GET", "/v1/echo"));
        TestClient busy(port);
        QVERIFY(busy.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(s.api.waitForSlowStarted(std::chrono::seconds(10)));

        std::atomic<bool> stopped{false};
        std::thread stopper([&] {
            s.server.stop();
            stopped = true;
        });
        // The idle connection goes at once; the busy one waits for its answer.
        QVERIFY(idle.closedByServer());
        QVERIFY(!stopped);
        s.api.release();
        const auto response = busy.receive();
        stopper.join();
        QCOMPARE(statusOf(response), 200);
        QCOMPARE(response->body(), std::string(R"({"slow":true})"));
        QVERIFY(!response->keep_alive());
        QVERIFY(stopped);

        TestClient late(port);
        QVERIFY(!late.connected() || !late.request("GET", "/v1/echo"));
    }

    void stopCutsWhatOutlastsItsBound()
    {
        auto config = testConfig();
        config.stopTimeout = std::chrono::milliseconds(200);
        Served s(config);
        TestClient busy(s.port());
        QVERIFY(busy.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(s.api.waitForSlowStarted(std::chrono::seconds(10)));

        std::thread stopper([&] { s.server.stop(); });
        // Cut while its handler still runs; the handler itself is waited for.
        const bool cut = busy.closedByServer();
        s.api.release();
        stopper.join();
        QVERIFY(cut);
    }

    void listensOnIpv6Loopback()
    {
        auto config = testConfig();
        config.address = "::1";
        Served s(config, false);
        try {
            s.server.start();
        } catch (const std::runtime_error &error) {
            QSKIP(error.what());
        }
        TestClient client(s.port(), "::1");
        QVERIFY(client.connected());
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(s.api.requests().at(0).remoteAddress, std::string("::1"));
    }

    void refusesWhatItCannotListenOn()
    {
        Served first;
        auto config = testConfig();
        config.port = first.port();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Served{config});
        config = testConfig();
        config.address = "localhost";
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Served{config});
    }

    void tls()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const std::string cert = folder.filePath("cert.pem").toStdString();
        const std::string key = folder.filePath("key.pem").toStdString();
        QVERIFY(kestrune::test::writeSelfSignedCertificate(cert, key));

        auto config = testConfig();
        config.tlsCertificateFile = cert;
        config.tlsKeyFile = key;
        Served s(config);
        boost::asio::ssl::context trusting(boost::asio::ssl::context::tls_client);
        trusting.load_verify_file(cert);
        trusting.set_verify_mode(boost::asio::ssl::verify_peer);
        TestClient secure(s.port(), trusting);
        QVERIFY2(secure.connected(), secure.handshakeError().c_str());
        QCOMPARE(statusOf(secure.request("GET", "/v1/echo")), 200);
        QVERIFY(secure.request("GET", "/v1/echo")); // kept alive over TLS

        boost::asio::ssl::context doubting(boost::asio::ssl::context::tls_client);
        doubting.set_verify_mode(boost::asio::ssl::verify_peer);
        QVERIFY(!TestClient(s.port(), doubting).connected());

        const auto refused = TestClient(s.port()).request("GET", "/v1/echo");
        QCOMPARE(statusOf(refused), 400);
        QCOMPARE(errorCode(refused), std::string("tls_required"));
        QCOMPARE(s.api.calls(), 2);

        // A certificate that cannot be read is named.
        config.tlsCertificateFile = "/nonexistent/cert.pem";
        try {
            Served unreadable(config);
            QFAIL("started without a certificate");
        } catch (const std::runtime_error &error) {
            QVERIFY(std::string(error.what()).find("/nonexistent/cert.pem") != std::string::npos);
        }
    }
};

std::unique_ptr<QObject> makeHttpServerTests()
{
    return std::make_unique<TestHttpServer>();
}

#include "tst_httpserver.moc"
