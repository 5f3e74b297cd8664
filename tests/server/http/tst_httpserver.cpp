#include "gameservice/server/http/httpserver.h"
#include "gameservice/server/http/requestlog.h"
#include "selfsignedcertificate.h"
#include "stubapi.h"
#include "testclient.h"

#include <nlohmann/json.hpp>

#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <atomic>
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

std::string errorCode(const HttpResponse &response)
{
    const auto json = nlohmann::json::parse(response.body(), nullptr, false);
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
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        QVERIFY(server.port() != 0);

        TestClient client(server.port());
        QVERIFY(client.connected());
        const auto first = client.request("POST", "/v1/echo?scope=week", R"({"score":12})",
                                          {{"Authorization", "Bearer abc"}, {"Content-Type", "application/json"}});
        QVERIFY(first);
        QCOMPARE(first->result_int(), 200);
        QCOMPARE(first->body(), std::string(R"({"score":12})"));
        QCOMPARE(std::string((*first)["X-Echo"]), std::string("yes"));
        QVERIFY(first->keep_alive());
        const auto second = client.request("GET", "/v1/echo");
        QVERIFY(second);
        QCOMPARE(second->result_int(), 200);

        const auto seen = api.requests();
        QCOMPARE(seen.size(), std::size_t(2));
        QCOMPARE(seen[0].method, std::string("POST"));
        QCOMPARE(seen[0].target, std::string("/v1/echo?scope=week"));
        QCOMPARE(seen[0].authorization, std::string("Bearer abc"));
        QCOMPARE(seen[0].contentType, std::string("application/json"));
        QCOMPARE(seen[0].remoteAddress, std::string("127.0.0.1"));
        QCOMPARE(seen[1].authorization, std::string());
    }

    void bodyLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("status");
        QTest::newRow("16 KiB is taken") << 16 * 1024 << 200;
        QTest::newRow("one byte more is refused") << 16 * 1024 + 1 << 413;
    }
    void bodyLimit()
    {
        QFETCH(int, size);
        QFETCH(int, status);
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        const auto response = client.request("POST", "/v1/echo", std::string(std::size_t(size), 'x'));
        QVERIFY(response);
        QCOMPARE(response->result_int(), status);
        if (status == 413) {
            QCOMPARE(errorCode(*response), std::string("payload_too_large"));
            QCOMPARE(api.calls(), 0);
            QVERIFY(!response->keep_alive());
        } else {
            QCOMPARE(response->body().size(), std::size_t(size));
        }
    }

    void headerLimit_data()
    {
        QTest::addColumn<int>("headerSize");
        QTest::addColumn<int>("status");
        QTest::newRow("7 KiB of headers pass") << 7 * 1024 << 200;
        QTest::newRow("9 KiB of headers are refused") << 9 * 1024 << 431;
    }
    void headerLimit()
    {
        QFETCH(int, headerSize);
        QFETCH(int, status);
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        const auto response =
            client.request("GET", "/v1/echo", {}, {{"X-Padding", std::string(std::size_t(headerSize), 'h')}});
        QVERIFY(response);
        QCOMPARE(response->result_int(), status);
        if (status == 431) {
            QCOMPARE(errorCode(*response), std::string("headers_too_large"));
            QCOMPARE(api.calls(), 0);
        }
    }

    void continuesWhenAskedToBeforeTheBody()
    {
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        QVERIFY(client.send("POST /v1/echo HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\nContent-Length: 5\r\n\r\n"));
        const auto interim = client.receive();
        QVERIFY(interim);
        QCOMPARE(interim->result_int(), 100);
        QVERIFY(client.send("hello"));
        const auto response = client.receive();
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        QCOMPARE(response->body(), std::string("hello"));
    }

    void malformedRequestIsRefused()
    {
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        QVERIFY(client.send("GET /v1/echo HTTP/1.1\r\nHost: x\r\nContent-Length: nine\r\n\r\n"));
        const auto response = client.receive();
        QVERIFY(response);
        QCOMPARE(response->result_int(), 400);
        QCOMPARE(errorCode(*response), std::string("bad_request"));
        QCOMPARE(api.calls(), 0);
    }

    void slowClientIsCutWhileOthersAreServed()
    {
        StubApi api;
        auto config = testConfig();
        config.readTimeout = std::chrono::milliseconds(1000);
        HttpServer server(config, api.handler());
        server.start();

        TestClient slow(server.port());
        QVERIFY(slow.send("POST /v1/echo HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\nhalf"));
        TestClient other(server.port());
        for (int i = 0; i < 3; ++i) {
            const auto response = other.request("GET", "/v1/echo");
            QVERIFY(response);
            QCOMPARE(response->result_int(), 200);
        }
        QVERIFY(slow.closedByServer());
        QCOMPARE(api.calls(), 3);
        // An idle kept-alive connection is held no longer than a slow one.
        QVERIFY(other.closedByServer());
    }

    void slowHandlerDoesNotStallOtherConnections()
    {
        StubApi api;
        auto config = testConfig();
        config.ioThreads = 1;
        HttpServer server(config, api.handler());
        server.start();

        TestClient slow(server.port());
        QVERIFY(slow.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(api.waitForSlowStarted(std::chrono::seconds(10)));
        TestClient other(server.port());
        const auto response = other.request("GET", "/v1/echo");
        api.release();
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        const auto slowResponse = slow.receive();
        QVERIFY(slowResponse);
        QCOMPARE(slowResponse->result_int(), 200);
    }

    void failingHandlerAnswers500()
    {
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        const auto response = client.request("GET", "/boom");
        QVERIFY(response);
        QCOMPARE(response->result_int(), 500);
        QCOMPARE(errorCode(*response), std::string("internal"));
        QVERIFY(response->body().find("database") == std::string::npos);
    }

    void connectionCap()
    {
        StubApi api;
        auto config = testConfig();
        config.maxConnections = 2;
        HttpServer server(config, api.handler());
        server.start();

        auto first = std::make_unique<TestClient>(server.port());
        TestClient second(server.port());
        QVERIFY(first->request("GET", "/v1/echo"));
        QVERIFY(second.request("GET", "/v1/echo"));

        TestClient third(server.port());
        const auto refused = third.request("GET", "/v1/echo");
        QVERIFY(refused);
        QCOMPARE(refused->result_int(), 503);
        QCOMPARE(errorCode(*refused), std::string("overloaded"));
        QVERIFY(third.closedByServer());
        QCOMPARE(api.calls(), 2);

        first.reset();
        QVERIFY(eventually([&] { return sample(server.metricsText(), "kestrune_http_open_connections") <= 1; }));
        TestClient fourth(server.port());
        const auto served = fourth.request("GET", "/v1/echo");
        QVERIFY(served);
        QCOMPARE(served->result_int(), 200);
    }

    void farOverTheCapConnectionsAreClosedUnanswered()
    {
        StubApi api;
        auto config = testConfig();
        config.maxConnections = 1;
        HttpServer server(config, api.handler());
        server.start();
        TestClient first(server.port());
        QVERIFY(first.request("GET", "/v1/echo"));
        TestClient second(server.port()); // over the cap: will be answered 503
        QVERIFY(second.connected());
        QVERIFY(eventually([&] { return sample(server.metricsText(), "kestrune_http_open_connections") == 2; }));

        TestClient third(server.port()); // twice the cap: closed at once
        QVERIFY(!third.request("GET", "/v1/echo"));
        const auto refused = second.request("GET", "/v1/echo");
        QCOMPARE(statusOf(refused), 503);
        QCOMPARE(api.calls(), 1);
    }

    void rateLimitPerToken()
    {
        StubApi api;
        auto config = testConfig();
        config.tokenRate = 0.01; // one token per 100 s: nothing refills during the test
        config.tokenBurst = 2;
        HttpServer server(config, api.handler());
        server.start();
        TestClient client(server.port());
        const std::vector<std::pair<std::string, std::string>> alice = {{"Authorization", "Bearer alice-token"}};
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, alice)), 200);
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, alice)), 200);
        const auto limited = client.request("GET", "/v1/echo", {}, alice);
        QVERIFY(limited);
        QCOMPARE(limited->result_int(), 429);
        QCOMPARE(errorCode(*limited), std::string("rate_limited"));
        const int retryAfter = std::stoi(std::string((*limited)["Retry-After"]));
        QVERIFY2(retryAfter >= 90 && retryAfter <= 100, std::to_string(retryAfter).c_str());
        QVERIFY(limited->keep_alive());

        // Another token, and no token at all, from the same address still pass.
        QCOMPARE(statusOf(client.request("GET", "/v1/echo", {}, {{"Authorization", "Bearer bob-token"}})), 200);
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(api.calls(), 4);
    }

    void rateLimitPerAddress()
    {
        StubApi api;
        auto config = testConfig();
        config.addressRate = 0.01;
        config.addressBurst = 3;
        HttpServer server(config, api.handler());
        server.start();
        for (int i = 0; i < 3; ++i) {
            TestClient client(server.port());
            QCOMPARE(
                statusOf(client.request("GET", "/v1/echo", {}, {{"Authorization", "Bearer t" + std::to_string(i)}})),
                200);
        }
        TestClient client(server.port());
        const auto limited = client.request("GET", "/v1/echo", {}, {{"Authorization", "Bearer fresh"}});
        QVERIFY(limited);
        QCOMPARE(limited->result_int(), 429);
        QVERIFY(!std::string((*limited)["Retry-After"]).empty());
        // Health checks are not the clients the limit is for.
        QCOMPARE(statusOf(client.request("GET", "/healthz")), 200);
        QCOMPARE(api.calls(), 3);
    }

    void shortcutAnswersBehindTheLimitsWithoutTheHandler()
    {
        StubApi api;
        auto config = testConfig();
        config.addressRate = 0.01; // nothing refills during the test
        config.addressBurst = 2;
        std::ostringstream out;
        RequestLog log(out);
        HttpServer server(config, api.handler(), {}, &log);
        std::atomic<int> asked{0};
        server.setShortcut([&asked](const ApiRequest &request) -> std::optional<ApiResponse> {
            ++asked;
            if (request.target != "/v1/kept")
                return std::nullopt;
            ApiResponse response;
            response.route = "/v1/kept";
            response.body = R"({"kept":true})";
            return response;
        });
        server.start();
        TestClient client(server.port());

        const auto kept = client.request("GET", "/v1/kept");
        QCOMPARE(statusOf(kept), 200);
        QCOMPARE(kept->body(), std::string(R"({"kept":true})"));
        QCOMPARE(api.calls(), 0);
        // What it does not answer, or fails on, the handler answers.
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(api.calls(), 1);
        // The limits apply before it is asked.
        QCOMPARE(statusOf(client.request("GET", "/v1/kept")), 429);
        QCOMPARE(asked.load(), 2);

        const auto metrics = client.request("GET", "/metrics");
        QVERIFY(metrics);
        QCOMPARE(sample(metrics->body(), R"(kestrune_http_requests_total{route="/v1/kept",status="200"} )"), 1.0);
        server.stop();
        QVERIFY(out.str().find(R"("route":"/v1/kept","status":200)") != std::string::npos);
    }

    void failingShortcutLeavesTheAnswerToTheHandler()
    {
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.setShortcut([](const ApiRequest &) -> std::optional<ApiResponse> { throw std::runtime_error("no"); });
        server.start();
        TestClient client(server.port());
        QCOMPARE(statusOf(client.request("GET", "/v1/echo")), 200);
        QCOMPARE(api.calls(), 1);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, server.setShortcut({}));
    }

    void healthz()
    {
        StubApi api;
        std::atomic<bool> healthy{true};
        HttpServer server(testConfig(), api.handler(), [&] { return healthy.load(); });
        server.start();
        TestClient client(server.port());
        auto response = client.request("GET", "/healthz");
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        QVERIFY(nlohmann::json::parse(response->body()) == nlohmann::json({{"status", "ok"}}));
        healthy = false;
        response = client.request("GET", "/healthz");
        QVERIFY(response);
        QCOMPARE(response->result_int(), 503);
        QCOMPARE(api.calls(), 0);
    }

    void metricsCountRequests()
    {
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        TestClient client(server.port());
        QVERIFY(client.request("GET", "/v1/echo"));
        QVERIFY(client.request("GET", "/nowhere/with/an/id/123"));
        QVERIFY(client.request("POST", "/v1/echo", std::string(17 * 1024, 'x')));

        TestClient scraper(server.port());
        const auto first = scraper.request("GET", "/metrics");
        QVERIFY(first);
        QCOMPARE(first->result_int(), 200);
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
        StubApi api;
        std::ostringstream out;
        RequestLog log(out);
        {
            HttpServer server(testConfig(), api.handler(), {}, &log);
            server.start();
            TestClient client(server.port());
            QVERIFY(
                client.request("GET", "/v1/echo?recovery=HUSH-42", {}, {{"Authorization", "Bearer SECRET-TOKEN-99"}}));
            QVERIFY(client.request("GET", "/v1/missing?code=HUSH-43"));
            server.stop(); // joins the server's threads: the log is complete
        }
        const std::string text = out.str();
        QVERIFY(text.find("SECRET-TOKEN") == std::string::npos);
        QVERIFY(text.find("HUSH") == std::string::npos);
        QVERIFY(text.find("Bearer") == std::string::npos);

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
        StubApi api;
        HttpServer server(testConfig(), api.handler());
        server.start();
        const auto port = server.port();

        TestClient idle(port);
        QVERIFY(idle.request("GET", "/v1/echo"));
        TestClient busy(port);
        QVERIFY(busy.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(api.waitForSlowStarted(std::chrono::seconds(10)));

        std::atomic<bool> stopped{false};
        std::thread stopper([&] {
            server.stop();
            stopped = true;
        });
        // The idle connection goes at once; the busy one waits for its answer.
        QVERIFY(idle.closedByServer());
        QVERIFY(!stopped);
        api.release();
        const auto response = busy.receive();
        stopper.join();
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        QCOMPARE(response->body(), std::string(R"({"slow":true})"));
        QVERIFY(!response->keep_alive());
        QVERIFY(stopped);

        TestClient late(port);
        QVERIFY(!late.connected() || !late.request("GET", "/v1/echo"));
    }

    void stopCutsWhatOutlastsItsBound()
    {
        StubApi api;
        auto config = testConfig();
        config.stopTimeout = std::chrono::milliseconds(200);
        HttpServer server(config, api.handler());
        server.start();
        TestClient busy(server.port());
        QVERIFY(busy.send(TestClient::requestText("GET", "/slow", {}, {})));
        QVERIFY(api.waitForSlowStarted(std::chrono::seconds(10)));

        std::thread stopper([&] { server.stop(); });
        // Cut while its handler still runs; the handler itself is waited for.
        const bool cut = busy.closedByServer();
        api.release();
        stopper.join();
        QVERIFY(cut);
    }

    void listensOnIpv6Loopback()
    {
        StubApi api;
        auto config = testConfig();
        config.address = "::1";
        HttpServer server(config, api.handler());
        try {
            server.start();
        } catch (const std::runtime_error &error) {
            QSKIP(error.what());
        }
        TestClient client(server.port(), "::1");
        QVERIFY(client.connected());
        const auto response = client.request("GET", "/v1/echo");
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        QCOMPARE(api.requests().at(0).remoteAddress, std::string("::1"));
    }

    void refusesWhatItCannotListenOn()
    {
        StubApi api;
        HttpServer first(testConfig(), api.handler());
        first.start();
        auto config = testConfig();
        config.port = first.port();
        HttpServer second(config, api.handler());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, second.start());

        config = testConfig();
        config.address = "localhost";
        HttpServer named(config, api.handler());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, named.start());
    }

    void tls()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString cert = folder.filePath("cert.pem");
        const QString key = folder.filePath("key.pem");
        QVERIFY(kestrune::test::writeSelfSignedCertificate(cert.toStdString(), key.toStdString()));

        StubApi api;
        auto config = testConfig();
        config.tlsCertificateFile = cert.toStdString();
        config.tlsKeyFile = key.toStdString();
        HttpServer server(config, api.handler());
        server.start();

        boost::asio::ssl::context trusting(boost::asio::ssl::context::tls_client);
        trusting.load_verify_file(cert.toStdString());
        trusting.set_verify_mode(boost::asio::ssl::verify_peer);
        TestClient secure(server.port(), trusting);
        QVERIFY2(secure.connected(), secure.handshakeError().c_str());
        const auto response = secure.request("GET", "/v1/echo");
        QVERIFY(response);
        QCOMPARE(response->result_int(), 200);
        QVERIFY(secure.request("GET", "/v1/echo")); // kept alive over TLS

        boost::asio::ssl::context doubting(boost::asio::ssl::context::tls_client);
        doubting.set_verify_mode(boost::asio::ssl::verify_peer);
        TestClient wary(server.port(), doubting);
        QVERIFY(!wary.connected());

        TestClient plain(server.port());
        const auto refused = plain.request("GET", "/v1/echo");
        QVERIFY(refused);
        QCOMPARE(refused->result_int(), 400);
        QCOMPARE(errorCode(*refused), std::string("tls_required"));
        QCOMPARE(api.calls(), 2);
    }

    void unreadableCertificateIsNamed()
    {
        StubApi api;
        auto config = testConfig();
        config.tlsCertificateFile = "/nonexistent/cert.pem";
        config.tlsKeyFile = "/nonexistent/key.pem";
        HttpServer server(config, api.handler());
        try {
            server.start();
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
