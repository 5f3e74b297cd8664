#include "storeopener.h"

#include "gameservice/server/store/postgres/postgresstore.h"
#include "gameservice/server/store/sqlitestore.h"

#include <stdexcept>

namespace kestrune::server {

StoreOpener::Location StoreOpener::parse(const std::string &database)
{
    const std::string sqlite = "sqlite:";
    if (database.starts_with(sqlite)) {
        const std::string path = database.substr(sqlite.size());
        if (path.empty())
            throw std::runtime_error("--database sqlite: needs a file path, e.g. sqlite:/var/lib/kestrune/kestrune.db");
        return {Engine::Sqlite, path};
    }
    if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
        return {Engine::Postgres, database};
    throw std::runtime_error("--database must be sqlite:PATH or postgresql://..., not \"" + database + "\"");
}

std::unique_ptr<Store> StoreOpener::open(const std::string &database)
{
    const Location location = parse(database);
    try {
        if (location.engine == Engine::Sqlite)
            return std::make_unique<SqliteStore>(location.target);
        return std::make_unique<PostgresStore>(location.target);
    } catch (const StoreError &error) {
        // A PostgreSQL URI may carry a password: name only the engine.
        throw std::runtime_error(std::string("cannot open the ")
                                 + (location.engine == Engine::Sqlite ? "SQLite file " + location.target
                                                                      : std::string("PostgreSQL database"))
                                 + ": " + error.what());
    }
}

} // namespace kestrune::server
