#pragma once

#include "gameservice/server/store/store.h"

#include <memory>
#include <string>

namespace kestrune::server {

// The store --database names: "sqlite:PATH" (the embedded default) or a
// PostgreSQL URI ("postgresql://..." or "postgres://..."). Throws
// std::runtime_error with a sentence for the operator: an unknown kind, an
// empty path, a database that cannot be opened or migrated.
class StoreOpener
{
public:
    enum class Engine { Sqlite, Postgres };
    struct Location
    {
        Engine engine = Engine::Sqlite;
        std::string target; // the file path, or the libpq connection URI
    };

    static Location parse(const std::string &database);
    static std::unique_ptr<Store> open(const std::string &database);
};

} // namespace kestrune::server
