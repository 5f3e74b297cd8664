#include "apifixture.h"
#include "gameservice/server/api/topcache.h"

#include <QTest>

#include <atomic>
#include <thread>

namespace kestrune::server::test {

namespace {

const std::string top = "/v1/leaderboards/sp_leaderboard/top";
const std::string scores = "/v1/leaderboards/sp_leaderboard/scores";

ApiRequest getRequest(const std::string &target, const std::string &token = {})
{
    ApiRequest request;
    request.method = "GET";
    request.target = target;
    request.authorization = token.empty() ? std::string() : "Bearer " + token;
    request.remoteAddress = "127.0.0.1";
    return request;
}

QStringList names(const nlohmann::json &entries)
{
    QStringList list;
    for (const auto &entry : entries)
        list << qs(entry["displayName"]);
    return list;
}

TopCache::Key keyOf(const std::string &board)
{
    return TopCache::Key{board, Scope::AllTime, 0, 50};
}

} // namespace

// Kept top answers: what the server gives from memory, and that a write
// acknowledged before a read always shows in it.
class CacheTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ApiFixture> m_api;

    bool kept(const std::string &target) { return bool(m_api->api().answerFromMemory(getRequest(target))); }

private slots:
    void init() { m_api = std::make_unique<ApiFixture>(); }

    void keptAnswerIsTheFullAnswerUntilTheDayEnds()
    {
        m_api->reportScore(m_api->createAccount("Ada"), 500);
        QVERIFY(!kept(top)); // nothing read yet

        const ApiResponse read = m_api->get(top);
        QCOMPARE(read.status, 200);
        const auto answer = m_api->api().answerFromMemory(getRequest(top));
        QVERIFY(answer);
        QCOMPARE(answer->status, 200);
        QCOMPARE(qs(answer->body), qs(read.body));
        QCOMPARE(qs(answer->route), QStringLiteral("/v1/leaderboards/{id}/top"));
        QCOMPARE(qs(answer->contentType), QStringLiteral("application/json"));
        // The defaults spelled out ask for the same answer.
        QVERIFY(kept(top + "?scope=all&limit=50"));

        const std::string today = top + "?scope=today";
        QCOMPARE(jsonOf(m_api->get(today))["entries"].size(), std::size_t(1));
        QVERIFY(kept(today));
        m_api->now += ApiFixture::day;
        QVERIFY(!kept(today));
        QCOMPARE(jsonOf(m_api->get(today))["entries"].size(), std::size_t(0));
    }

    void acknowledgedWritesShowInTheNextRead_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a better score") << "better" << QStringList{"Bob", "Ada"};
        QTest::newRow("a rename") << "rename" << QStringList{"Ada", "Robert"};
        QTest::newRow("a new player's score") << "newcomer" << QStringList{"Cy", "Ada", "Bob"};
    }
    void acknowledgedWritesShowInTheNextRead()
    {
        QFETCH(QString, write);
        QFETCH(QStringList, expected);
        const Account ada = m_api->createAccount("Ada");
        const Account bob = m_api->createAccount("Bob");
        m_api->reportScore(ada, 500);
        m_api->reportScore(bob, 400);
        QCOMPARE(names(jsonOf(m_api->get(top))["entries"]), (QStringList{"Ada", "Bob"}));
        QVERIFY(kept(top));

        if (write == "better")
            m_api->reportScore(bob, 900);
        else if (write == "rename")
            QCOMPARE(m_api->send("PATCH", "/v1/accounts/me", R"({"displayName":"Robert"})", bob.token).status, 200);
        else
            m_api->reportScore(m_api->createAccount("Cy"), 1000);

        QVERIFY(!kept(top));
        const auto after = jsonOf(m_api->get(top));
        QCOMPARE(names(after["entries"]), expected);
        QCOMPARE(after["entryCount"].get<int>(), int(expected.size()));
    }

    void onlyAnonymousValidReadsAreAnsweredFromMemory_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("withToken");
        QTest::addColumn<bool>("fromMemory");
        QTest::newRow("the read made") << "GET" << qs(top) << false << true;
        QTest::newRow("with a token: the answer has the caller's row") << "GET" << qs(top) << true << false;
        QTest::newRow("another limit") << "GET" << qs(top + "?limit=10") << false << false;
        QTest::newRow("another scope") << "GET" << qs(top + "?scope=week") << false << false;
        QTest::newRow("a limit out of range") << "GET" << qs(top + "?limit=0") << false << false;
        QTest::newRow("an unknown parameter") << "GET" << qs(top + "?colour=red") << false << false;
        QTest::newRow("an unknown board") << "GET" << QStringLiteral("/v1/leaderboards/nope/top") << false << false;
        QTest::newRow("another route") << "GET" << QStringLiteral("/v1/leaderboards") << false << false;
        QTest::newRow("not a GET") << "POST" << qs(top) << false << false;
    }
    void onlyAnonymousValidReadsAreAnsweredFromMemory()
    {
        QFETCH(QString, method);
        QFETCH(QString, target);
        QFETCH(bool, withToken);
        QFETCH(bool, fromMemory);
        const Account ada = m_api->createAccount("Ada");
        m_api->reportScore(ada, 500);
        QCOMPARE(m_api->get(top).status, 200);

        ApiRequest request = getRequest(target.toStdString(), withToken ? ada.token : std::string());
        request.method = method.toStdString();
        QCOMPARE(bool(m_api->api().answerFromMemory(request)), fromMemory);
        // What memory does not answer, the API still does, refusals included.
        const ApiResponse full = m_api->handle(request);
        if (target.contains("limit=0") || target.contains("colour"))
            QCOMPARE(full.status, 400);
        if (withToken)
            QCOMPARE(qs(jsonOf(full)["me"]["playerId"]), qs(ada.id));
    }

    void cacheDropsWhatAWriteMadeOld()
    {
        TopCache cache;
        TopCache::Stamp stamp = cache.stamp("a");
        cache.boardChanged("a"); // committed while the answer was being read
        cache.put(keyOf("a"), stamp, "old");
        QVERIFY(!cache.find(keyOf("a")));
        stamp = cache.stamp("a");
        cache.allChanged();
        cache.put(keyOf("a"), stamp, "old");
        QVERIFY(!cache.find(keyOf("a")));
        cache.put(keyOf("a"), cache.stamp("a"), "new");
        const auto found = cache.find(keyOf("a"));
        QVERIFY(found);
        QCOMPARE(qs(*found), QStringLiteral("new"));

        // A score leaves other boards' answers kept.
        cache.put(keyOf("b"), cache.stamp("b"), "B");
        cache.boardChanged("a");
        QVERIFY(!cache.find(keyOf("a")));
        QVERIFY(cache.find(keyOf("b")));
        cache.allChanged();
        QVERIFY(!cache.find(keyOf("b")));
    }

    void concurrentReportsAndReadsNeverServeAnOldTop()
    {
        constexpr int reports = 120;
        constexpr int readers = 3;
        const Account ada = m_api->createAccount("Ada");
        m_api->reportScore(ada, 1);
        std::atomic<int> acknowledged{1};
        std::atomic<bool> writing{true};
        std::atomic<int> stale{0};
        std::atomic<int> failures{0};

        // Readers ask as the transport does: memory first, then the API. Any
        // score acknowledged before a read began must be in its answer.
        std::vector<std::thread> threads;
        for (int r = 0; r < readers; ++r) {
            threads.emplace_back([&] {
                for (int i = 0; i < 5000 && (writing.load() || i < 20); ++i) {
                    const int floor = acknowledged.load();
                    const ApiRequest request = getRequest(top);
                    auto answer = m_api->api().answerFromMemory(request);
                    const ApiResponse response = answer ? *answer : m_api->handle(request);
                    const auto body = jsonOf(response);
                    if (response.status != 200 || body["entries"].empty()) {
                        ++failures;
                        continue;
                    }
                    if (body["entries"][0]["score"].get<int>() < floor)
                        ++stale;
                }
            });
        }
        for (int score = 2; score <= reports; ++score) {
            if (m_api->post(scores, {{"score", score}}, ada.token).status != 201)
                ++failures;
            acknowledged = score;
        }
        writing = false;
        for (std::thread &thread : threads)
            thread.join();

        QCOMPARE(failures.load(), 0);
        QCOMPARE(stale.load(), 0);
        QCOMPARE(jsonOf(m_api->get(top))["entries"][0]["score"].get<int>(), reports);
    }
};

std::unique_ptr<QObject> makeCacheTests()
{
    return std::make_unique<CacheTest>();
}

} // namespace kestrune::server::test

#include "cachetest.moc"
