#include "apifixture.h"
#include "gameservice/catalogue/catalogue.h"

#include <QTest>

#include <thread>

namespace kestrune::server::test {

namespace {

const std::string top = "/v1/leaderboards/sp_leaderboard/top";
const std::string aroundMe = "/v1/leaderboards/sp_leaderboard/around-me";
const std::string scores = "/v1/leaderboards/sp_leaderboard/scores";

QStringList names(const nlohmann::json &entries)
{
    QStringList list;
    for (const auto &entry : entries)
        list << qs(entry["displayName"]);
    return list;
}

QList<int> ranks(const nlohmann::json &entries)
{
    QList<int> list;
    for (const auto &entry : entries)
        list << entry["rank"].get<int>();
    return list;
}

} // namespace

// Leaderboards and achievements, end to end through the API.
class ScoresTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ApiFixture> m_api;

private slots:
    void init() { m_api = std::make_unique<ApiFixture>(); }

    void leaderboardsComeFromTheCatalogue()
    {
        const auto body = jsonOf(m_api->get("/v1/leaderboards"));
        QCOMPARE(body["leaderboards"].size(), catalogue::leaderboards().size());
        const auto &board = body["leaderboards"][0];
        QCOMPARE(qs(board["id"]), QStringLiteral("sp_leaderboard"));
        QCOMPARE(board["minScore"].get<int>(), 0);
        QCOMPARE(board["maxScore"].get<int>(), 1000);
        QVERIFY(board["higherIsBetter"].get<bool>());
    }

    void topRanksTiesAndAddsTheCallersRow()
    {
        const Account ada = m_api->createAccount("Ada");
        const Account bob = m_api->createAccount("Bob");
        const Account cy = m_api->createAccount("Cy");
        const Account dee = m_api->createAccount("Dee");
        m_api->reportScore(cy, 0); // a very slow win still counts
        m_api->now += 1;
        m_api->reportScore(ada, 700);
        m_api->now += 1;
        m_api->reportScore(bob, 700);

        ApiResponse response = m_api->get(top);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/leaderboards/{id}/top"));
        auto body = jsonOf(response);
        QCOMPARE(names(body["entries"]), (QStringList{"Ada", "Bob", "Cy"}));
        QCOMPARE(ranks(body["entries"]), (QList<int>{1, 1, 3}));
        QCOMPARE(body["entryCount"].get<int>(), 3);
        QCOMPARE(qs(body["scope"]), QStringLiteral("all"));
        QVERIFY(!body.contains("me")); // anonymous

        body = jsonOf(m_api->get(top, cy.token));
        QCOMPARE(body["me"]["rank"].get<int>(), 3);
        QCOMPARE(body["me"]["score"].get<int>(), 0);
        QCOMPARE(qs(body["me"]["playerId"]), qs(cy.id));
        QVERIFY(jsonOf(m_api->get(top, dee.token))["me"].is_null());
    }

    void bestIsKeptAndAResentReportStoredOnce()
    {
        const Account ada = m_api->createAccount("Ada");
        const Account bob = m_api->createAccount("Bob");
        const auto first = jsonOf(m_api->post(scores, {{"score", 300}}, ada.token));
        QVERIFY(first == (nlohmann::json{{"leaderboard", "sp_leaderboard"}, {"score", 300}, {"duplicate", false}}));
        m_api->reportScore(ada, 200);
        QCOMPARE(jsonOf(m_api->get(top))["entries"][0]["score"].get<int>(), 300);

        const nlohmann::json report = {{"score", 900}, {"reportId", "2f1c9e0a-5b7d-4c1e-9a3f-000000000001"}};
        QCOMPARE(m_api->post(scores, report, ada.token).status, 201);
        const int writes = m_api->store().writes();
        const ApiResponse again = m_api->post(scores, report, ada.token);
        QCOMPARE(again.status, 200);
        QCOMPARE(jsonOf(again)["duplicate"].get<bool>(), true);
        QCOMPARE(qs(jsonOf(again)["reportId"]), QStringLiteral("2f1c9e0a-5b7d-4c1e-9a3f-000000000001"));
        QCOMPARE(m_api->store().writes(), writes);

        // Report ids are the client's own: another player may use the same.
        QCOMPARE(m_api->post(scores, report, bob.token).status, 201);
        const auto body = jsonOf(m_api->get(top));
        QCOMPARE(body["entryCount"].get<int>(), 2);
        QCOMPARE(body["entries"][0]["score"].get<int>(), 900);
    }

    void topIsLimited()
    {
        for (int i = 0; i < 60; ++i)
            m_api->reportScore(m_api->createAccount("P" + std::to_string(i)), i * 10);
        // The default is 50; a limit above what is stored gives what there is.
        for (const auto &[query, entries] : std::initializer_list<std::pair<std::string, int>>{
                 {"", 50}, {"?limit=1", 1}, {"?limit=100", 60}, {"?scope=week&limit=7", 7}}) {
            const auto body = jsonOf(m_api->get(top + query));
            QCOMPARE(static_cast<int>(body["entries"].size()), entries);
            QCOMPARE(body["entryCount"].get<int>(), 60);
            QCOMPARE(body["entries"][0]["score"].get<int>(), 590);
        }
    }

    void scopesFollowTheCalendar()
    {
        m_api->reportScore(m_api->createAccount("Ada"), 500);
        const auto count = [&](const char *scope) {
            return jsonOf(m_api->get(top + "?scope=" + scope))["entryCount"].get<int>();
        };
        QCOMPARE(count("today"), 1);
        m_api->now += ApiFixture::day; // Tuesday
        QCOMPARE(count("today"), 0);
        QCOMPARE(count("week"), 1);
        m_api->now += 6 * ApiFixture::day; // next Monday
        QCOMPARE(count("week"), 0);
        QCOMPARE(count("all"), 1);
        QCOMPARE(qs(jsonOf(m_api->get(top + "?scope=week"))["scope"]), QStringLiteral("week"));
    }

    void aroundMeIsAWindow()
    {
        std::vector<Account> players;
        for (int i = 0; i < 7; ++i) {
            players.push_back(m_api->createAccount("P" + std::to_string(i)));
            m_api->reportScore(players.back(), 1000 - i * 100);
        }
        auto body = jsonOf(m_api->get(aroundMe + "?radius=1", players[3].token));
        QCOMPARE(names(body["entries"]), (QStringList{"P2", "P3", "P4"}));
        QCOMPARE(ranks(body["entries"]), (QList<int>{3, 4, 5}));
        QCOMPARE(body["entryCount"].get<int>(), 7);
        // The default radius is 5: at the top, nothing before and five after.
        body = jsonOf(m_api->get(aroundMe, players[0].token));
        QCOMPARE(names(body["entries"]), (QStringList{"P0", "P1", "P2", "P3", "P4", "P5"}));
        const Account idle = m_api->createAccount("Idle");
        QCOMPARE(jsonOf(m_api->get(aroundMe, idle.token))["entries"].size(), 0u);
    }

    void concurrentReportsStayConsistent()
    {
        constexpr int threads = 4;
        constexpr int reports = 50;
        std::vector<Account> players;
        for (int i = 0; i < threads; ++i)
            players.push_back(m_api->createAccount("T" + std::to_string(i)));

        // Each thread reports rising scores for its own player and reads the
        // board in between; the Api is shared as the transport shares it.
        std::vector<int> failures(threads, 0);
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                for (int i = 1; i <= reports; ++i) {
                    const nlohmann::json report = {{"score", t * 100 + i}, {"reportId", "r" + std::to_string(i)}};
                    failures[t] += m_api->post(scores, report, players[t].token).status != 201;
                    failures[t] += m_api->get(top, players[t].token).status != 200;
                }
            });
        }
        for (std::thread &worker : workers)
            worker.join();

        QVERIFY(failures == std::vector<int>(threads, 0));
        const auto body = jsonOf(m_api->get(top));
        QCOMPARE(names(body["entries"]), (QStringList{"T3", "T2", "T1", "T0"}));
        QCOMPARE(body["entries"][0]["score"].get<int>(), 3 * 100 + reports);
        QCOMPARE(m_api->store().writes(), threads + threads * reports);
    }

    void achievementsKeepTheHighest()
    {
        const Account ada = m_api->createAccount("Ada");
        const std::string progress = "/v1/achievements/50won/progress";
        auto body = jsonOf(m_api->post(progress, {{"percent", 40}}, ada.token));
        QCOMPARE(body["percent"].get<double>(), 40.0);
        body = jsonOf(m_api->post(progress, {{"percent", 12.5}}, ada.token));
        QCOMPARE(body["percent"].get<double>(), 40.0);
        QVERIFY(!body["completedNow"].get<bool>());

        const ApiResponse response = m_api->post(progress, {{"percent", 100}}, ada.token);
        QCOMPARE(response.status, 200);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/achievements/{id}/progress"));
        body = jsonOf(response);
        QVERIFY(body["completed"].get<bool>());
        QVERIFY(body["completedNow"].get<bool>());
        body = jsonOf(m_api->post(progress, {{"percent", 100}}, ada.token));
        QVERIFY(body["completed"].get<bool>());
        QVERIFY(!body["completedNow"].get<bool>());
    }

    void achievementListMergesTheCatalogueAndResetsOnlyOnesOwn()
    {
        auto list = jsonOf(m_api->get("/v1/achievements"))["achievements"];
        QCOMPARE(list.size(), catalogue::achievements().size());
        QCOMPARE(qs(list[0]["id"]), qs(std::string(catalogue::achievements()[0].identifier)));
        QVERIFY(!list[0].contains("percent")); // anonymous: the catalogue alone

        const Account ada = m_api->createAccount("Ada");
        const Account bob = m_api->createAccount("Bob");
        for (const Account *player : {&ada, &bob})
            m_api->post("/v1/achievements/lucky_beggar/progress", {{"percent", 100}}, player->token);
        list = jsonOf(m_api->get("/v1/achievements", ada.token))["achievements"];
        for (const auto &item : list) {
            const bool lucky = item["id"] == "lucky_beggar";
            QCOMPARE(item["percent"].get<double>(), lucky ? 100.0 : 0.0);
            QCOMPARE(item["completed"].get<bool>(), lucky);
            QCOMPARE(item["updatedAt"].is_null(), !lucky);
        }

        QCOMPARE(m_api->send("POST", "/v1/achievements/reset", {}, ada.token).status, 200);
        const auto percentOf = [&](const Account &player) {
            const auto list = jsonOf(m_api->get("/v1/achievements", player.token));
            double sum = 0;
            for (const auto &item : list["achievements"])
                sum += item["percent"].get<double>();
            return sum;
        };
        QCOMPARE(percentOf(ada), 0.0);
        QCOMPARE(percentOf(bob), 100.0);
    }
};

std::unique_ptr<QObject> makeScoresTests()
{
    return std::make_unique<ScoresTest>();
}

} // namespace kestrune::server::test

#include "scorestest.moc"
