// What only the SQLite engine has: its migrations, its group commit and its
// batch of reports. That an acknowledged report survives a kill is
// tst_serverdurability's case.
#include "gameservice/server/store/sqliteconnection.h"
#include "gameservice/server/store/sqlitemigrations.h"
#include "gameservice/server/store/sqlitestatement.h"
#include "gameservice/server/store/sqlitestore.h"
#include "gameservice/server/store/sqlitewritequeue.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace kestrune::server;

namespace {

constexpr Millis noon = 1'796'644'800'000;
const std::string board = "sp_leaderboard";

std::int64_t countRows(SqliteConnection &db, const char *sql)
{
    SqliteStatement query(db, sql, "counting");
    query.step();
    return query.integer(0);
}

bool tableExists(SqliteConnection &db, const std::string &name)
{
    SqliteStatement query(db, "SELECT COUNT(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1", "looking");
    query.bindAll(name);
    query.step();
    return query.integer(0) == 1;
}

// The message a call is refused with; empty when it was not refused.
template<class Call> std::string refusal(Call call)
{
    try {
        call();
    } catch (const StoreError &error) {
        return error.what();
    }
    return {};
}

} // namespace

class SqliteStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("store.sqlite")).toStdString();
    }

    void migrationsApplyOnlyWhatIsMissing()
    {
        const SqliteMigrations::Migration first{1, "one", "CREATE TABLE one (x INTEGER)"};
        const SqliteMigrations::Migration second{2, "two", "CREATE TABLE two (x INTEGER)"};
        const SqliteMigrations::Migration third{3, "three", "INSERT INTO one VALUES (3)"};
        SqliteConnection db(m_path, true);

        QCOMPARE(SqliteMigrations::apply(db, std::vector{first, second}), (std::vector<std::int64_t>{1, 2}));
        QCOMPARE(SqliteMigrations::apply(db, std::vector{first, second, third}), (std::vector<std::int64_t>{3}));
        QVERIFY(SqliteMigrations::apply(db, std::vector{first, second, third}).empty());
        QCOMPARE(countRows(db, "SELECT COUNT(*) FROM one"), 1); // the insert ran once
        QCOMPARE(SqliteMigrations::applied(db), (std::vector<std::int64_t>{1, 2, 3}));
    }

    void failedMigrationLeavesThePreviousVersion()
    {
        const SqliteMigrations::Migration good{1, "good", "CREATE TABLE good (x INTEGER)"};
        const SqliteMigrations::Migration bad{2, "bad",
                                              "CREATE TABLE half (x INTEGER); INSERT INTO missing VALUES (1)"};
        SqliteConnection db(m_path, true);

        QVERIFY_THROWS_EXCEPTION(StoreError, SqliteMigrations::apply(db, std::vector{good, bad}));
        QCOMPARE(SqliteMigrations::applied(db), (std::vector<std::int64_t>{1}));
        QVERIFY(tableExists(db, "good"));
        QVERIFY(!tableExists(db, "half")); // the failed migration left nothing behind
    }

    void unusableFilesAreRefusedByName()
    {
        const std::string missing = m_dir->filePath(QStringLiteral("missing/folder/store.sqlite")).toStdString();
        QVERIFY(refusal([&] { SqliteStore store(missing); }).find(missing) != std::string::npos);
        // A file from a newer server is not opened.
        SqliteStore(m_path).createPlayer("Ada", "t", "r", noon);
        SqliteConnection(m_path, true).execute("INSERT INTO schema_migrations VALUES (999, 'newer', 0)", "pretending");
        QVERIFY(refusal([&] { SqliteStore store(m_path); }).find("999") != std::string::npos);
    }

    void failedWriteInAGroupUndoesOnlyItself()
    {
        SqliteConnection db(m_path, true);
        db.execute("CREATE TABLE t (x INTEGER)", "creating");
        SqliteWriteQueue queue(db);
        const auto insert = [](int x) {
            return [x](SqliteConnection &c) {
                SqliteStatement s(c, "INSERT INTO t VALUES (?1)", "inserting");
                s.bindAll(x);
                s.run();
            };
        };

        // The first write holds the writer until two more have queued behind it;
        // those two then commit as one group, in which one fails.
        std::atomic<bool> firstRunning = false;
        std::thread first([&] {
            queue.run([&](SqliteConnection &c) {
                firstRunning = true;
                insert(1)(c);
                for (int i = 0; i < 1000 && queue.waiting() < 2; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            });
        });
        for (int i = 0; i < 10000 && !firstRunning; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        bool failed = false;
        std::thread second([&] {
            try {
                queue.run([&](SqliteConnection &c) {
                    insert(2)(c);
                    throw StoreError("refused");
                });
            } catch (const StoreError &) {
                failed = true;
            }
        });
        std::thread third([&] { queue.run(insert(3)); });
        first.join();
        second.join();
        third.join();

        QVERIFY(failed);
        QCOMPARE(countRows(db, "SELECT COUNT(*) FROM t"), 2);
        QCOMPARE(countRows(db, "SELECT SUM(x) FROM t"), 4); // 1 and 3, not 2
        QCOMPARE(queue.counts().writes, 3);
        QCOMPARE(queue.counts().transactions, 2);
    }

    void batchOfReportsIsAllOrNothing()
    {
        SqliteStore store(m_path);
        const auto ada = store.createPlayer("Ada", "t", "r", noon);
        const std::vector<ScoreReport> reports{{ada.id, board, 500, noon, "a"},
                                               {"K0000000000000000", board, 600, noon, "b"}};

        QVERIFY_THROWS_EXCEPTION(StoreError, store.reportScores(reports));
        QCOMPARE(store.entryCount(board, Scope::AllTime, noon), 0);
        QVERIFY(!store.reportScore(reports[0]).duplicate); // its key was not kept either
        QVERIFY_THROWS_EXCEPTION(StoreError, store.reportScore(ScoreReport{ada.id, "no_such_board", 1, noon, "c"}));
    }

    void refusalsNameNoSecret()
    {
        SqliteStore store(m_path);
        const std::string secret = "5f2b9c0e7d41a3b8";
        store.createPlayer("Ada", secret, "r1", noon);
        const std::string message = refusal([&] { store.createPlayer("Bob", secret, "r2", noon); });
        QVERIFY2(message.find("creating a player") != std::string::npos, message.c_str());
        QVERIFY2(message.find(secret) == std::string::npos, message.c_str());
        QVERIFY(store.playerByToken(secret));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string m_path;
};

QTEST_GUILESS_MAIN(SqliteStoreTest)
#include "tst_sqlitestore.moc"
