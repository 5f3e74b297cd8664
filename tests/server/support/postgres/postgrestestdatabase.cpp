#include "postgrestestdatabase.h"

#include "gameservice/server/store/postgres/postgresconnection.h"
#include "gameservice/server/store/postgres/postgresstore.h"
#include "postgrescluster.h"

#include <atomic>
#include <mutex>

namespace kestrune::server::test {

namespace {

PostgresCluster &sharedCluster()
{
    static std::mutex mutex;
    static std::unique_ptr<PostgresCluster> cluster;
    std::lock_guard lock(mutex);
    if (!cluster)
        cluster = std::make_unique<PostgresCluster>();
    return *cluster;
}

} // namespace

PostgresTestDatabase::PostgresTestDatabase()
{
    static std::atomic<int> made{0};
    m_conninfo = sharedCluster().createDatabase("case" + std::to_string(++made));
}

std::unique_ptr<Store> PostgresTestDatabase::open()
{
    return std::make_unique<PostgresStore>(m_conninfo);
}

std::vector<std::int64_t> PostgresTestDatabase::appliedMigrations()
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

} // namespace kestrune::server::test
