#pragma once

#include <span>

namespace kestrune::server {

class PostgresConnection;

// The schema's history, applied in order at start. A step once released is
// never edited; a change is a new step.
class PostgresMigrations
{
public:
    struct Step
    {
        int version;
        const char *sql;
    };

    static std::span<const Step> steps();

    // Applies what schema_migrations does not list yet, each step in its own
    // transaction, while holding an advisory lock so that servers starting
    // at the same time apply each step once. Returns how many it applied.
    // Throws StoreError.
    static int apply(PostgresConnection &connection);
};

} // namespace kestrune::server
