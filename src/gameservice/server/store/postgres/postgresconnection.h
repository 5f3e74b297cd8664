#pragma once

#include "postgresresult.h"

#include <string>
#include <unordered_map>
#include <vector>

struct pg_conn;

namespace kestrune::server {

// One libpq connection, used by one thread at a time (the pool sees to
// that). Statements are prepared once per connection and then only bound.
class PostgresConnection
{
public:
    // Throws StoreError when the server cannot be reached.
    explicit PostgresConnection(const std::string &conninfo);
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection &) = delete;
    PostgresConnection &operator=(const PostgresConnection &) = delete;

    // Runs `sql` with $1.. bound to `parameters` (text). Throws PostgresError.
    PostgresResult exec(const std::string &sql, const std::vector<std::string> &parameters = {});
    // A statement without parameters (BEGIN, COMMIT, SET ...), not prepared.
    void command(const char *sql);

    // Connected and outside any transaction: fit to be handed out again.
    bool reusable() const;
    bool connected() const;

private:
    PostgresResult checked(pg_result *result, const std::string &what);

    pg_conn *m_connection = nullptr;
    std::unordered_map<std::string, std::string> m_prepared; // sql -> statement name
};

} // namespace kestrune::server
