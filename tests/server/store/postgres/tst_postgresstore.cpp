// The PostgreSQL store on a throwaway cluster: what only this engine has to
// get right, such as several processes (here, stores with pools of their own)
// writing to one database at once. Each operation is covered for both
// engines by tst_store.
#include "gameservice/server/store/postgres/postgresmigrations.h"
#include "gameservice/server/store/postgres/postgresstore.h"
#include "postgrescluster.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <latch>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include <fstream>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrune::server;
using kestrune::server::test::PostgresCluster;

namespace {

constexpr Millis day = 86'400'000;
constexpr Millis noon = 20'000 * day + day / 2;
const std::string board = "sp_leaderboard";

ScoreReport report(const std::string &player, std::int64_t value, Millis at, const std::string &key = {})
{
    return {player, board, value, at, key};
}

// Not running: no such process, or one only waiting to be reaped.
bool processGone(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    stat >> pidField >> name >> state;
    return state == "Z";
}

} // namespace

class TestPostgresStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_databases = 0;

    std::string freshDatabase() { return m_cluster->createDatabase("store" + std::to_string(++m_databases)); }

private slots:
    void initTestCase()
    {
        try {
            m_cluster = std::make_unique<PostgresCluster>();
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
    }
    void cleanupTestCase() { m_cluster.reset(); }

    // A failed call rolls back and leaves its connection fit for the next
    // one, even in a pool of one.
    void failuresLeaveNothingBehind()
    {
        PostgresStore store(freshDatabase(), 1);
        const auto ann = store.createPlayer("Ann", "t-ann", "r1", noon);
        // A token hash taken twice is refused, without the hash in the message.
        try {
            store.createPlayer("Copy", "t-ann", "r-copy", noon);
            QFAIL("a second player with the same token hash was stored");
        } catch (const StoreError &e) {
            QVERIFY2(std::string(e.what()).find("t-ann") == std::string::npos, e.what());
            QVERIFY2(std::string(e.what()).starts_with("createPlayer"), e.what());
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, store.reportScore(report("K0000000000000000", 10, noon)));
        // Fails inside the transaction, after the player's row was locked.
        ScoreReport bad = report(ann.id, 10, noon);
        bad.reportKey = std::string("key\0tail", 8);
        QVERIFY_THROWS_EXCEPTION(StoreError, store.reportScore(bad));
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 store.sendChallenge({{}, ann.id, {}, "K0000000000000000", board, 1, "", noon}));
        QCOMPARE(store.entryCount(board, Scope::AllTime, noon), 0);
        QVERIFY(!store.reportScore(report(ann.id, 10, noon)).duplicate);
        QCOMPARE(store.entryCount(board, Scope::AllTime, noon), 1);

        QVERIFY_THROWS_EXCEPTION(StoreError, PostgresStore(m_cluster->conninfo("no_such_database")));
    }

    // Two stores, as two server processes would have, on one board from
    // several threads; every report is sent twice under its key, once
    // through each store.
    void twoStoresReportAtOnce()
    {
        const std::string database = freshDatabase();
        PostgresStore first(database, 4), second(database, 4);
        // Few players and rising values: the threads keep raising the same
        // players' bests at the same moment, the race a lost update shows in.
        constexpr int players = 6, keys = 30, groups = 3, threads = 2 * groups;
        std::vector<std::string> ids;
        for (int p = 0; p < players; ++p)
            ids.push_back(
                (p % 2 ? first : second)
                    .createPlayer("P" + std::to_string(p), "t" + std::to_string(p), "r" + std::to_string(p), noon)
                    .id);
        std::mt19937 random(21);
        std::vector<std::vector<std::int64_t>> values(players);
        std::map<std::string, std::int64_t> best;
        for (int p = 0; p < players; ++p) {
            for (int k = 0; k < keys; ++k)
                values[p].push_back(8 * k + std::uniform_int_distribution<std::int64_t>(0, 20)(random));
            best[ids[p]] = *std::max_element(values[p].begin(), values[p].end());
        }

        std::atomic<int> duplicates{0}, failures{0};
        std::mutex errorMutex;
        std::string firstError;
        std::latch start(threads);
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                start.arrive_and_wait();
                // Thread t sends every player's reports whose key k has
                // k % groups == t % groups; its twin in the other store sends
                // the same ones again.
                Store &store = t < groups ? static_cast<Store &>(first) : second;
                for (int k = t % groups; k < keys; k += groups) {
                    for (int p = 0; p < players; ++p) {
                        try {
                            if (store.reportScore(report(ids[p], values[p][k], noon + k, "k" + std::to_string(k)))
                                    .duplicate)
                                ++duplicates;
                        } catch (const std::exception &e) {
                            ++failures;
                            std::lock_guard lock(errorMutex);
                            firstError = e.what();
                        }
                    }
                }
            });
        }
        for (auto &w : workers)
            w.join();
        QVERIFY2(failures == 0, firstError.c_str());
        QCOMPARE(duplicates.load(), players * keys);

        for (Scope scope : {Scope::Today, Scope::Week, Scope::AllTime}) {
            QCOMPARE(first.entryCount(board, scope, noon), players);
            const auto top = second.topScores(board, scope, noon, players);
            QCOMPARE(int(top.size()), players);
            for (const auto &row : top) {
                QCOMPARE(row.value, best[row.playerId]);
                const auto higher =
                    std::count_if(best.begin(), best.end(), [&](const auto &b) { return b.second > row.value; });
                QCOMPARE(row.rank, 1 + higher);
                QCOMPARE(first.playerScore(board, scope, noon, row.playerId)->rank, row.rank);
            }
        }
    }

    // Two servers starting on a fresh database at once: each step once.
    void twoStoresMigrateAtOnce()
    {
        const std::string database = freshDatabase();
        std::unique_ptr<PostgresStore> a, b;
        std::string error;
        std::latch start(2);
        auto open = [&](std::unique_ptr<PostgresStore> &into) {
            start.arrive_and_wait();
            try {
                into = std::make_unique<PostgresStore>(database);
            } catch (const std::exception &e) {
                error = e.what();
            }
        };
        std::thread one(open, std::ref(a)), two(open, std::ref(b));
        one.join();
        two.join();
        QVERIFY2(a && b, error.c_str());
        const int steps = int(PostgresMigrations::steps().size());
        QCOMPARE(a->migrationsApplied() + b->migrationsApplied(), steps);
        QCOMPARE(PostgresStore(database).migrationsApplied(), 0);
        const auto ann = a->createPlayer("Ann", "t", "r", noon);
        QCOMPARE(b->player(ann.id)->displayName, std::string("Ann"));
    }

    // The cluster leaves no server and no folder behind.
    void clusterCleansUp()
    {
        std::filesystem::path folder;
        std::string conninfo;
        {
            PostgresCluster cluster;
            folder = cluster.folder();
            conninfo = cluster.createDatabase("gone");
            QVERIFY(std::filesystem::exists(folder / "data"));
            PostgresStore store(conninfo);
        }
        QVERIFY(!std::filesystem::exists(folder));
        QVERIFY_THROWS_EXCEPTION(StoreError, PostgresStore{conninfo});
    }

    // A test program that dies without unwinding leaves no server running:
    // a child process starts a cluster and ends without its destructor.
    void clusterCleansUpAfterACrash()
    {
        int channel[2];
        QVERIFY(::pipe(channel) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(channel[0]);
            try {
                auto *cluster = new PostgresCluster; // never deleted
                std::ifstream pidFile(cluster->folder() / "data" / "postmaster.pid");
                std::string serverPid;
                pidFile >> serverPid;
                const std::string line = cluster->folder().string() + "\n" + serverPid + "\n";
                [[maybe_unused]] auto written = ::write(channel[1], line.data(), line.size());
            } catch (...) {
            }
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string told;
        char buffer[256];
        for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
            told.append(buffer, static_cast<std::size_t>(n));
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        const auto newline = told.find('\n');
        QVERIFY2(newline != std::string::npos, "the child could not start a cluster");
        const std::filesystem::path folder = told.substr(0, newline);
        const pid_t server = std::stoi(told.substr(newline + 1));
        QVERIFY(server > 1);
        QTRY_VERIFY_WITH_TIMEOUT(!std::filesystem::exists(folder), 60'000);
        QTRY_VERIFY_WITH_TIMEOUT(processGone(server), 30'000);
    }
};

QTEST_GUILESS_MAIN(TestPostgresStore)
#include "tst_postgresstore.moc"
