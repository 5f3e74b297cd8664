// Many clients reporting to one leaderboard at once through real server
// processes: one on SQLite, and two on one PostgreSQL (a player created on
// one is known on the other). Afterwards every player's row holds the best
// of their reports, and the top list with its ranks is the same whichever
// server answers it.
#include "apiclient.h"
#include "postgrescluster.h"
#include "postgresurl.h"
#include "serverprocess.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <map>
#include <random>
#include <thread>
#include <vector>

using namespace kestrune::server::test;

namespace {

constexpr int playerCount = 8;
constexpr int threadsPerPlayer = 2; // two at once on one player's row
constexpr int reportsPerThread = 50;

// What one reporting thread sent and how it was answered.
struct ThreadLog
{
    std::int64_t best = -1;
    std::vector<std::string> failures;
};

void report(const std::vector<std::uint16_t> &ports, const Account &account, int thread, std::uint32_t seed,
            ThreadLog &log)
{
    std::vector<std::unique_ptr<ApiClient>> clients;
    for (auto port : ports)
        clients.push_back(std::make_unique<ApiClient>(port));
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> scores(0, 1000);
    for (int i = 0; i < reportsPerThread; ++i) {
        const std::int64_t score = scores(random);
        const std::string id = "t" + std::to_string(thread) + "-" + std::to_string(i);
        // Alternately through each server; the two threads of one player
        // start on different ones.
        ApiClient &client = *clients[(i + thread) % clients.size()];
        const auto answer = client.reportScore(account.token, score, id);
        if (!answer || answer->status != 201) {
            log.failures.push_back(
                id + " -> "
                + (answer ? std::to_string(answer->status) + " " + answer->body.dump() : std::string("no answer")));
            continue;
        }
        log.best = std::max(log.best, score);
    }
}

} // namespace

class ServerConsistencyTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    // Players created round-robin over `ports`, then everyone reports at once,
    // then every server must tell the same, right, story.
    void contest(const std::vector<std::uint16_t> &ports)
    {
        const std::uint32_t seed = std::random_device{}();
        qInfo("seed %u", seed);

        std::vector<Account> accounts;
        std::map<std::string, std::string> names; // player id -> display name
        for (int p = 0; p < playerCount; ++p) {
            ApiClient creator(ports[p % ports.size()]);
            const std::string name = "Player " + std::to_string(p);
            const auto account = creator.createAccount(name);
            QVERIFY(account);
            accounts.push_back(*account);
            names[account->playerId] = name;
            // Known at once on every server, by token and by id.
            for (auto port : ports) {
                ApiClient reader(port);
                const auto me = reader.call("GET", "/v1/accounts/me", {}, account->token);
                QVERIFY(me && me->status == 200);
                QCOMPARE(me->body.value("playerId", ""), account->playerId);
                const auto publicName = reader.call("GET", "/v1/players/" + account->playerId);
                QVERIFY(publicName && publicName->status == 200);
                QCOMPARE(publicName->body.value("displayName", ""), name);
            }
        }

        std::vector<ThreadLog> logs(playerCount * threadsPerPlayer);
        std::vector<std::thread> threads;
        for (int t = 0; t < int(logs.size()); ++t)
            threads.emplace_back(report, std::cref(ports), std::cref(accounts[t % playerCount]), t,
                                 seed + std::uint32_t(t), std::ref(logs[t]));
        for (auto &thread : threads)
            thread.join();

        std::map<std::string, std::int64_t> best; // player id -> best score sent
        for (int t = 0; t < int(logs.size()); ++t) {
            QVERIFY2(logs[t].failures.empty(), firstOf(logs[t].failures));
            auto &score = best[accounts[t % playerCount].playerId];
            score = std::max(score, logs[t].best);
        }

        // Each player's row is their best, ranked as the list's rules say.
        std::map<std::string, std::int64_t> expectedRank;
        for (const auto &[player, score] : best)
            expectedRank[player] =
                1 + std::count_if(best.begin(), best.end(), [&](const auto &other) { return other.second > score; });
        nlohmann::json firstEntries;
        for (auto port : ports) {
            ApiClient reader(port);
            const auto top = reader.top(100);
            QVERIFY(top && top->status == 200);
            QCOMPARE(top->body.value("entryCount", -1), playerCount);
            const auto &entries = top->body["entries"];
            QCOMPARE(int(entries.size()), playerCount);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const auto &row = entries[i];
                const std::string player = row.value("playerId", "");
                QVERIFY2(best.count(player), player.c_str());
                QCOMPARE(row.value("score", std::int64_t(-1)), best[player]);
                QCOMPARE(row.value("rank", std::int64_t(-1)), expectedRank[player]);
                QCOMPARE(row.value("displayName", ""), names[player]);
                if (i > 0) {
                    // Best first; a tie goes to who reached it first, then to the id.
                    const auto &before = entries[i - 1];
                    const auto order = [](const nlohmann::json &r) {
                        return std::make_tuple(-r.value("score", std::int64_t(0)),
                                               r.value("reportedAt", std::int64_t(0)), r.value("playerId", ""));
                    };
                    QVERIFY2(order(before) < order(row), row.dump().c_str());
                }
            }
            // The same list from every server, to the millisecond.
            if (firstEntries.is_null())
                firstEntries = entries;
            else
                QCOMPARE(QString::fromStdString(entries.dump()), QString::fromStdString(firstEntries.dump()));

            // Each player's own row and window agree with the list.
            for (const auto &account : accounts) {
                const auto around = reader.call("GET", "/v1/leaderboards/" + board + "/around-me?scope=all&radius=0",
                                                {}, account.token);
                QVERIFY(around && around->status == 200);
                QCOMPARE(int(around->body["entries"].size()), 1);
                const auto &mine = around->body["entries"][0];
                QCOMPARE(mine.value("rank", std::int64_t(-1)), expectedRank[account.playerId]);
                QCOMPARE(mine.value("score", std::int64_t(-1)), best[account.playerId]);
            }
        }
    }

    // What one server writes, the other reads at once: a new name in the top
    // list, a challenge in the receiver's list, its dismissal.
    void writesCrossServers(const std::vector<std::uint16_t> &ports)
    {
        ApiClient first(ports[0]);
        ApiClient second(ports[1]);
        const auto ada = first.createAccount("Ada");
        const auto bob = second.createAccount("Bob");
        QVERIFY(ada && bob);
        // Anonymous reads first, as a server that kept answers would keep these.
        const auto before = second.top(100);
        QVERIFY(before && before->status == 200);
        QCOMPARE(statusOf(first.reportScore(ada->token, 1000, "ada-1")), 201);
        const auto after = second.top(100);
        QVERIFY(after && after->status == 200);
        QCOMPARE(after->body.value("entryCount", -1), before->body.value("entryCount", -1) + 1);

        QCOMPARE(statusOf(first.call("PATCH", "/v1/accounts/me", R"({"displayName":"Ada L."})", ada->token)), 200);
        const auto top = second.top(100);
        QVERIFY(top && top->status == 200);
        const auto &entries = top->body["entries"];
        const auto row = std::find_if(entries.begin(), entries.end(), [&](const nlohmann::json &r) {
            return r.value("playerId", "") == ada->playerId;
        });
        QVERIFY(row != entries.end());
        QCOMPARE(row->value("displayName", ""), std::string("Ada L."));

        const auto sent = second.call(
            "POST", "/v1/challenges",
            nlohmann::json{{"to", ada->playerId}, {"leaderboard", board}, {"score", 900}}.dump(), bob->token);
        QVERIFY(sent && sent->status == 201);
        const std::string challenge = sent->body.value("id", "");
        const auto received = first.call("GET", "/v1/challenges", {}, ada->token);
        QVERIFY(received && received->status == 200);
        QCOMPARE(int(received->body["challenges"].size()), 1);
        QCOMPARE(received->body["challenges"][0].value("id", ""), challenge);

        QCOMPARE(statusOf(second.call("DELETE", "/v1/challenges/" + challenge, {}, ada->token)), 200);
        QCOMPARE(statusOf(first.call("DELETE", "/v1/challenges/" + challenge, {}, ada->token)), 404);
        const auto left = first.call("GET", "/v1/challenges", {}, ada->token);
        QVERIFY(left && left->status == 200);
        QVERIFY(left->body["challenges"].empty());
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }
    void manyClientsOnSqlite()
    {
        ServerProcess server(QStringLiteral("sqlite:") + m_folder.filePath(QStringLiteral("contest.db")),
                             m_folder.filePath(QStringLiteral("sqlite-requests.log")), {"--rate-limit", "0"});
        QVERIFY2(server.start(), qPrintable(server.error()));
        contest({server.port()});
        server.terminate();
        QCOMPARE(server.waitForExit(), 0);
    }

    void twoServersOnOnePostgres()
    {
        std::unique_ptr<PostgresCluster> cluster;
        try {
            cluster = std::make_unique<PostgresCluster>();
        } catch (const PostgresClusterError &error) {
            QSKIP(qPrintable(QStringLiteral("no throwaway PostgreSQL: ") + QString::fromUtf8(error.what())));
        }
        const QString database = QString::fromStdString(postgresUrl(*cluster, "contest"));
        ServerProcess first(database, m_folder.filePath(QStringLiteral("first-requests.log")), {"--rate-limit", "0"});
        ServerProcess second(database, m_folder.filePath(QStringLiteral("second-requests.log")), {"--rate-limit", "0"});
        // Both at once on an empty database: only one may lay out the schema.
        first.launch();
        second.launch();
        QVERIFY2(first.waitUntilListening(), qPrintable(first.error()));
        QVERIFY2(second.waitUntilListening(), qPrintable(second.error()));
        contest({first.port(), second.port()});
        writesCrossServers({first.port(), second.port()});
        first.terminate();
        second.terminate();
        QCOMPARE(first.waitForExit(), 0);
        QCOMPARE(second.waitForExit(), 0);
    }
};

QTEST_GUILESS_MAIN(ServerConsistencyTest)
#include "tst_serverconsistency.moc"
