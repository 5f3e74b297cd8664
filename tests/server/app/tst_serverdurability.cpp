// kestrune-server killed (SIGKILL) again and again while clients report
// scores as fast as they can: after each restart on the same database,
// every report that was answered 2xx must be there. A report whose answer
// never arrived may or may not be; nothing else may be lost.
#include "apiclient.h"
#include "postgrescluster.h"
#include "postgresurl.h"
#include "serverprocess.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <map>
#include <random>
#include <thread>
#include <vector>

using namespace kestrune::server::test;
using namespace std::chrono_literals;

namespace {

struct Report
{
    std::string token;
    std::int64_t score = 0;
    std::string reportId;
};

// What one writer saw while the server was up.
struct WriterLog
{
    std::vector<Report> acknowledged;
    std::vector<std::string> refusals; // answers that were not 201
};

constexpr int writerCount = 4;

// Reports until the server stops answering; records what was acknowledged.
void writeReports(std::uint16_t port, const Account &account, int writer, int cycle, std::uint32_t seed,
                  std::atomic<int> &acknowledgedCount, WriterLog &log)
{
    ApiClient client(port);
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> scores(0, 1000);
    for (int sequence = 0; sequence < 100000; ++sequence) {
        Report report{account.token, scores(random),
                      "w" + std::to_string(writer) + "-c" + std::to_string(cycle) + "-" + std::to_string(sequence)};
        const auto answer = client.reportScore(report.token, report.score, report.reportId);
        if (!answer)
            return; // killed
        if (answer->status != 201 || answer->body.value("duplicate", true)) {
            log.refusals.push_back(report.reportId + ": " + std::to_string(answer->status) + " " + answer->body.dump());
            return;
        }
        log.acknowledged.push_back(std::move(report));
        ++acknowledgedCount;
    }
}

// Sends every report again: each must be recognised as already stored.
// Returns those that were not, with the answer.
std::vector<std::string> missing(std::uint16_t port, const std::vector<Report> &reports)
{
    std::vector<std::vector<std::string>> found(writerCount);
    std::vector<std::thread> checkers;
    for (int c = 0; c < writerCount; ++c) {
        checkers.emplace_back([&, c] {
            ApiClient client(port);
            for (std::size_t i = c; i < reports.size(); i += writerCount) {
                const auto answer = client.reportScore(reports[i].token, reports[i].score, reports[i].reportId);
                if (!answer || answer->status != 200 || !answer->body.value("duplicate", false))
                    found[c].push_back(reports[i].reportId + " -> "
                                       + (answer ? std::to_string(answer->status) + " " + answer->body.dump()
                                                 : std::string("no answer")));
            }
        });
    }
    for (auto &checker : checkers)
        checker.join();
    std::vector<std::string> all;
    for (auto &list : found)
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

} // namespace

class ServerDurabilityTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    void killCycles(const QString &database, int cycles, std::chrono::seconds budget)
    {
        const std::uint32_t seed = std::random_device{}();
        qInfo("seed %u", seed);
        std::mt19937 random(seed);
        ServerProcess server(database, m_folder.filePath(QStringLiteral("requests.log")), {"--rate-limit", "0"});
        QVERIFY2(server.start(), qPrintable(server.error()));

        std::vector<Account> accounts;
        {
            ApiClient client(server.port());
            for (int i = 0; i < writerCount; ++i) {
                const auto account = client.createAccount("Writer " + std::to_string(i));
                QVERIFY(account);
                accounts.push_back(*account);
            }
        }

        const QDeadlineTimer deadline(budget);
        std::vector<Report> previous;             // acknowledged in the cycle before
        std::map<std::string, std::int64_t> best; // token -> highest acknowledged score
        std::size_t total = 0;
        int cycle = 0;
        for (; cycle < cycles && (cycle < 3 || !deadline.hasExpired()); ++cycle) {
            if (cycle > 0) {
                QVERIFY2(server.start(), qPrintable(server.error()));
                // Report ids name the cycle: w<writer>-c<cycle>-<n>.
                const auto lost = missing(server.port(), previous);
                QVERIFY2(lost.empty(), firstOf(lost));
            }

            std::atomic<int> acknowledged = 0;
            std::vector<WriterLog> logs(writerCount);
            std::vector<std::thread> writers;
            for (int w = 0; w < writerCount; ++w)
                writers.emplace_back(writeReports, server.port(), std::cref(accounts[w]), w, cycle,
                                     std::uint32_t(random()), std::ref(acknowledged), std::ref(logs[w]));
            // Some writes first, so that every cycle kills a server under load;
            // then a random moment, so that the kill lands anywhere in a write.
            const QDeadlineTimer loaded(10s);
            while (acknowledged < 20 && !loaded.hasExpired())
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 150)(random)));
            server.kill();
            const bool ended = server.waitForEnd();
            for (auto &writer : writers)
                writer.join();
            QVERIFY(ended);

            previous.clear();
            for (const auto &log : logs) {
                QVERIFY2(log.refusals.empty(), firstOf(log.refusals));
                previous.insert(previous.end(), log.acknowledged.begin(), log.acknowledged.end());
            }
            QVERIFY2(!previous.empty(), "no report was acknowledged before the kill");
            for (const auto &report : previous)
                best[report.token] = std::max(best[report.token], report.score);
            total += previous.size();
        }
        qInfo("%d kills, %zu acknowledged reports", cycle, total);

        // The last cycle's reports, and each player's best over all cycles.
        QVERIFY2(server.start(), qPrintable(server.error()));
        const auto lost = missing(server.port(), previous);
        QVERIFY2(lost.empty(), firstOf(lost));
        ApiClient client(server.port());
        for (const auto &account : accounts) {
            const auto top = client.top(10, account.token);
            QVERIFY(top && top->status == 200);
            const nlohmann::json &me = top->body["me"];
            QVERIFY2(me.is_object(), top->body.dump().c_str());
            // A report whose answer the kill cut off may have been stored too.
            QVERIFY(me.value("score", std::int64_t(-1)) >= best[account.token]);
        }
        server.terminate();
        QCOMPARE(server.waitForExit(), 0);
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }
    void sqliteKeepsAcknowledgedReportsThroughKills()
    {
        killCycles(QStringLiteral("sqlite:") + m_folder.filePath(QStringLiteral("kills.db")), 25, 40s);
    }

    void postgresKeepsAcknowledgedReportsThroughKills()
    {
        std::unique_ptr<PostgresCluster> cluster;
        try {
            cluster = std::make_unique<PostgresCluster>();
        } catch (const PostgresClusterError &error) {
            QSKIP(qPrintable(QStringLiteral("no throwaway PostgreSQL: ") + QString::fromUtf8(error.what())));
        }
        killCycles(QString::fromStdString(postgresUrl(*cluster, "kills")), 10, 25s);
    }
};

QTEST_GUILESS_MAIN(ServerDurabilityTest)
#include "tst_serverdurability.moc"
