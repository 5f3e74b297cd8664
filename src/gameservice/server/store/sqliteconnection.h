#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrune::server {

// One open SQLite connection, used by one thread at a time. It keeps every
// statement it has prepared, so a query is compiled once per connection.
class SqliteConnection
{
public:
    // Opens (and for the writer creates) the file with the settings every
    // connection needs: WAL, foreign keys, a busy timeout.
    SqliteConnection(const std::string &path, bool writable);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    // Runs statements without results (schema, pragmas).
    void execute(const char *sql, std::string_view what);
    // Runs one prepared statement without results (transaction control on the
    // hot path, where parsing it each time would show).
    void run(const char *sql, std::string_view what);
    // The connection's prepared statement for this SQL text (its address is
    // the key: callers pass string literals).
    sqlite3_stmt *prepared(const char *sql);

    sqlite3 *handle() const { return m_db; }
    // "what failed: SQLite's message", thrown as StoreError.
    [[noreturn]] void fail(std::string_view what) const;

private:
    sqlite3 *m_db = nullptr;
    std::unordered_map<const char *, sqlite3_stmt *> m_statements;
};

} // namespace kestrune::server
