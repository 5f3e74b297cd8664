#include "sqlitetestdatabase.h"

#include "gameservice/server/store/sqliteconnection.h"
#include "gameservice/server/store/sqlitemigrations.h"
#include "gameservice/server/store/sqlitestore.h"

namespace kestrune::server::test {

SqliteTestDatabase::SqliteTestDatabase()
    : m_path(m_dir.filePath(QStringLiteral("kestrune-server.sqlite")).toStdString())
{
    if (!m_dir.isValid())
        throw StoreError("no temporary folder for the test database");
}

std::unique_ptr<Store> SqliteTestDatabase::open()
{
    return std::make_unique<SqliteStore>(m_path);
}

std::vector<std::int64_t> SqliteTestDatabase::appliedMigrations()
{
    SqliteConnection connection(m_path, false);
    return SqliteMigrations::applied(connection);
}

} // namespace kestrune::server::test
