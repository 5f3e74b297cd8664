#include "storeengines.h"

#include "gameservice/server/store/postgres/postgresconnection.h"
#include "gameservice/server/store/postgres/postgresstore.h"
#include "gameservice/server/store/sqliteconnection.h"
#include "gameservice/server/store/sqlitemigrations.h"
#include "gameservice/server/store/sqlitestore.h"
#include "postgrescluster.h"

#include <QTemporaryDir>

#include <atomic>
#include <mutex>

namespace kestrune::server::test {

namespace {

// A SQLite file in a temporary folder of its own.
class SqliteTestDatabase final : public TestDatabase
{
public:
    SqliteTestDatabase()
        : m_path(m_dir.filePath(QStringLiteral("kestrune-server.sqlite")).toStdString())
    {
        if (!m_dir.isValid())
            throw StoreError("no temporary folder for the test database");
    }

    std::unique_ptr<Store> open() override { return std::make_unique<SqliteStore>(m_path); }
    std::vector<std::int64_t> appliedMigrations() override
    {
        SqliteConnection connection(m_path, false);
        return SqliteMigrations::applied(connection);
    }

private:
    QTemporaryDir m_dir;
    std::string m_path;
};

PostgresCluster &sharedCluster()
{
    static std::mutex mutex;
    static std::unique_ptr<PostgresCluster> cluster;
    std::lock_guard lock(mutex);
    if (!cluster)
        cluster = std::make_unique<PostgresCluster>();
    return *cluster;
}

// A fresh database for one test on the test program's one throwaway
// cluster, which starts with the first such database and stops at exit.
class PostgresTestDatabase final : public TestDatabase
{
public:
    PostgresTestDatabase() // throws PostgresClusterError
    {
        static std::atomic<int> made{0};
        m_conninfo = sharedCluster().createDatabase("case" + std::to_string(++made));
    }

    std::unique_ptr<Store> open() override { return std::make_unique<PostgresStore>(m_conninfo); }
    std::vector<std::int64_t> appliedMigrations() override
    {
        PostgresConnection connection(m_conninfo);
        std::vector<std::int64_t> versions;
        if (connection.exec("SELECT to_regclass('schema_migrations') IS NOT NULL").text(0, 0) != "t")
            return versions;
        const auto rows = connection.exec("SELECT version FROM schema_migrations ORDER BY version");
        for (int r = 0; r < rows.rows(); ++r)
            versions.push_back(rows.integer(r, 0));
        return versions;
    }

private:
    std::string m_conninfo;
};

} // namespace

std::vector<StoreEngine> storeEngines()
{
    return {
        StoreEngine{"sqlite", [] { return std::make_unique<SqliteTestDatabase>(); }},
        StoreEngine{"postgresql", [] { return std::make_unique<PostgresTestDatabase>(); }},
    };
}

} // namespace kestrune::server::test
