#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kestrune::server {

class SqliteConnection;

// The schema's history, applied in order when a store opens. A version, once
// released, never changes: a new need gets a new version.
class SqliteMigrations
{
public:
    struct Migration
    {
        std::int64_t version;
        const char *name;
        const char *sql;
    };

    // Every migration this build knows, oldest first.
    static std::span<const Migration> all();

    // Applies the ones not yet recorded in schema_migrations, each in its own
    // transaction together with its record, so a failed one leaves the
    // previous version intact and a concurrent opener applies nothing twice.
    // Refuses a file written by a newer build. Returns the versions applied now.
    static std::vector<std::int64_t> apply(SqliteConnection &connection, std::span<const Migration> migrations);

    // The versions recorded in the file, oldest first.
    static std::vector<std::int64_t> applied(SqliteConnection &connection);
};

} // namespace kestrune::server
