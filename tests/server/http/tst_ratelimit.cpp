#include "gameservice/server/http/histogram.h"
#include "gameservice/server/http/ratelimiter.h"
#include "gameservice/server/http/requestlog.h"
#include "gameservice/server/http/tokenbucket.h"

#include <nlohmann/json.hpp>

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

using namespace kestrune::server;
using namespace std::chrono_literals;

namespace {

RequestLogEntry logEntry(int status)
{
    RequestLogEntry entry;
    entry.method = "GET";
    entry.route = "/r";
    entry.status = status;
    return entry;
}

std::vector<int> loggedStatuses(const std::string &text)
{
    std::vector<int> statuses;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        statuses.push_back(nlohmann::json::parse(line)["status"].get<int>());
    return statuses;
}

} // namespace

class TestRateLimit : public QObject
{
    Q_OBJECT

private slots:
    void bucketAllowsTheBurstThenTellsTheWait()
    {
        const TokenBucket::TimePoint start = TokenBucket::TimePoint{} + 10s;
        TokenBucket bucket(2.0, 3.0, start);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(bucket.take(start), 0ms);
        QCOMPARE(bucket.take(start), 500ms); // half a second for one token at 2/s
        QCOMPARE(bucket.take(start + 250ms), 250ms);
        QCOMPARE(bucket.take(start + 500ms), 0ms);
        QCOMPARE(bucket.take(start + 500ms), 500ms);
        // A clock that steps back is ignored, and the time from the earlier
        // reading is not counted twice.
        QCOMPARE(bucket.take(start - 5s), 500ms);
        QCOMPARE(bucket.take(start + 750ms), 250ms);
        // A slow rate rounds the wait up.
        TokenBucket slow(3.0, 1.0, start);
        QCOMPARE(slow.take(start), 0ms);
        QCOMPARE(slow.take(start), 334ms);
    }

    void bucketRefillsNoFurtherThanItsBurst()
    {
        const TokenBucket::TimePoint start{};
        TokenBucket bucket(10.0, 2.0, start);
        QCOMPARE(bucket.take(start), 0ms);
        QVERIFY(!bucket.full(start));
        QVERIFY(bucket.full(start + 100ms));
        const auto later = start + 1h;
        QCOMPARE(bucket.take(later), 0ms);
        QCOMPARE(bucket.take(later), 0ms);
        QVERIFY(bucket.take(later) > 0ms);
    }

    void limiterKeepsOneBucketPerKeyAndForgetsRefilledOnes()
    {
        auto now = std::chrono::steady_clock::time_point{};
        RateLimiter limiter(1.0, 2.0, [&] { return now; });
        QCOMPARE(limiter.take("a"), 0ms);
        QCOMPARE(limiter.take("a"), 0ms);
        QCOMPARE(limiter.take("a"), 1000ms);
        QCOMPARE(limiter.take("b"), 0ms);
        now += 1s;
        QCOMPARE(limiter.take("a"), 0ms);
        QCOMPARE(limiter.size(), std::size_t(2));

        for (int i = 0; i < 1000; ++i)
            QCOMPARE(limiter.take("client-" + std::to_string(i)), 0ms);
        QCOMPARE(limiter.size(), std::size_t(1002));
        now += 10s;
        QCOMPARE(limiter.take("busy"), 0ms);
        QCOMPARE(limiter.take("busy"), 0ms);
        for (int i = 0; i < 30; ++i) // past the 1024th take, when it tidies up
            QVERIFY(limiter.take("busy") > 0ms);
        QVERIFY2(limiter.size() < 10, std::to_string(limiter.size()).c_str());
        // A bucket still draining is not forgotten: that would hand out a new burst.
        QVERIFY(limiter.take("busy") > 0ms);

        RateLimiter off(0, 0);
        QVERIFY(!off.enabled());
        for (int i = 0; i < 100; ++i)
            QCOMPARE(off.take("x"), 0ms);
        QCOMPARE(off.size(), std::size_t(0));
    }

    void tokenKeyIsAHashOfTheBearerToken()
    {
        const auto key = RateLimiter::tokenKey("Bearer s3cret-value");
        QVERIFY(!key.empty());
        QVERIFY(key.find("s3cret") == std::string::npos);
        QCOMPARE(RateLimiter::tokenKey("bearer s3cret-value"), key);
        QVERIFY(RateLimiter::tokenKey("Bearer other-value") != key);
        QCOMPARE(RateLimiter::tokenKey("Basic dXNlcjpwYXNz"), std::string());
        QCOMPARE(RateLimiter::tokenKey("Bearer "), std::string());
        QCOMPARE(RateLimiter::tokenKey(""), std::string());
    }

    void histogramBucketsAreCumulative()
    {
        Histogram histogram({0.1, 0.01, 1});
        histogram.observe(0.005);
        histogram.observe(0.01); // on a bound: counted in that bucket
        histogram.observe(0.5);
        histogram.observe(7);
        std::ostringstream out;
        histogram.render(out, "x", "route=\"/r\"");
        const std::string text = out.str();
        QVERIFY(text.find("x_bucket{route=\"/r\",le=\"0.01\"} 2\n") != std::string::npos);
        QVERIFY(text.find("x_bucket{route=\"/r\",le=\"0.1\"} 2\n") != std::string::npos);
        QVERIFY(text.find("x_bucket{route=\"/r\",le=\"1\"} 3\n") != std::string::npos);
        QVERIFY(text.find("x_bucket{route=\"/r\",le=\"+Inf\"} 4\n") != std::string::npos);
        QVERIFY(text.find("x_count{route=\"/r\"} 4\n") != std::string::npos);
        QVERIFY(text.find("x_sum{route=\"/r\"} 7.515\n") != std::string::npos);
    }

    void logLineIsJsonWhateverThePath_data()
    {
        QTest::addColumn<QByteArray>("route");
        QTest::addColumn<QByteArray>("read"); // what a JSON reader gets back
        QTest::newRow("plain") << QByteArray("/v1/leaderboards") << QByteArray("/v1/leaderboards");
        QTest::newRow("quote and backslash") << QByteArray("/a\"b\\c") << QByteArray("/a\"b\\c");
        QTest::newRow("control characters") << QByteArray("/a\nb\tc\x01") << QByteArray("/a\nb\tc\x01");
        QTest::newRow("two-, three- and four-byte UTF-8") << QByteArray("/Zo\xc3\xab/\xe2\x82\xac/\xf0\x9f\xa6\x8a")
                                                          << QByteArray("/Zo\xc3\xab/\xe2\x82\xac/\xf0\x9f\xa6\x8a");
        QTest::newRow("invalid bytes") << QByteArray("/v1/\xff\xfe") << QByteArray("/v1/\xef\xbf\xbd\xef\xbf\xbd");
        QTest::newRow("overlong slash") << QByteArray("/\xc0\xaf") << QByteArray("/\xef\xbf\xbd\xef\xbf\xbd");
        QTest::newRow("surrogate") << QByteArray("/\xed\xa0\x80")
                                   << QByteArray("/\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");
        QTest::newRow("cut short at the end") << QByteArray("/\xe2\x82") << QByteArray("/\xef\xbf\xbd\xef\xbf\xbd");
    }
    void logLineIsJsonWhateverThePath()
    {
        QFETCH(QByteArray, route);
        QFETCH(QByteArray, read);
        RequestLogEntry entry;
        entry.method = "GET";
        entry.route = route.toStdString();
        entry.status = 404;
        entry.errorCode = "not_found";
        entry.duration = std::chrono::microseconds(1500);
        const std::string line = RequestLog::format(entry);
        QVERIFY(line.find('\n') == std::string::npos);
        const auto json = nlohmann::json::parse(line, nullptr, false);
        QVERIFY2(!json.is_discarded(), line.c_str());
        QCOMPARE(QByteArray::fromStdString(json["route"].get<std::string>()), read);
        QCOMPARE(json["status"].get<int>(), 404);
        QCOMPARE(json["error"].get<std::string>(), std::string("not_found"));
        QCOMPARE(json["durationMs"].get<double>(), 1.5);
        QVERIFY(!json.contains("playerId"));
    }

    void logKeepsEveryLineInOrder()
    {
        std::ostringstream out;
        {
            RequestLog log(out, 1h); // nothing is written on a timer during the test
            for (int status : {200, 201, 202})
                log.write(logEntry(status));
            log.flush();
            QCOMPARE(loggedStatuses(out.str()), (std::vector<int>{200, 201, 202}));
            log.write(logEntry(204));
            log.write(logEntry(404));
        }
        // What was still waiting is written when the log goes.
        QCOMPARE(loggedStatuses(out.str()), (std::vector<int>{200, 201, 202, 204, 404}));
    }

    void logWritesWaitingLinesOnItsOwn()
    {
        QTemporaryDir folder;
        const std::string path = folder.filePath(QStringLiteral("requests.log")).toStdString();
        std::ofstream file(path);
        RequestLog log(file, 10ms);
        log.write(logEntry(200));
        const auto written = [&path] {
            std::ifstream in(path);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        // Bounded: the line is due after 10 ms; allow five seconds.
        for (int i = 0; i < 500 && written().empty(); ++i)
            std::this_thread::sleep_for(10ms);
        QCOMPARE(loggedStatuses(written()), (std::vector<int>{200}));
    }
};

std::unique_ptr<QObject> makeRateLimitTests()
{
    return std::make_unique<TestRateLimit>();
}

#include "tst_ratelimit.moc"
