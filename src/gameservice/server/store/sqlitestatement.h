#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrune::server {

class SqliteConnection;

// One use of a connection's prepared statement: bind, step, read, and on
// leaving scope reset it for the next use. Values are always bound, never
// spliced into the SQL text.
class SqliteStatement
{
public:
    // `what` names the operation in the error when a step fails.
    SqliteStatement(SqliteConnection &connection, const char *sql, std::string_view what);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Binds the values to ?1, ?2, ... in order.
    template<typename... Values> SqliteStatement &bindAll(const Values &...values)
    {
        int index = 0;
        (bind(++index, values), ...);
        return *this;
    }
    void bind(int index, std::int64_t value);
    void bind(int index, int value) { bind(index, std::int64_t(value)); }
    void bind(int index, double value);
    void bind(int index, std::string_view value);
    void bind(int index, const std::string &value) { bind(index, std::string_view(value)); }
    void bind(int index, const char *value) { bind(index, std::string_view(value)); }

    // True while there is a row to read.
    bool step();
    // Runs a statement that returns no rows; the number of rows it changed.
    int run();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const;

private:
    SqliteConnection &m_connection;
    sqlite3_stmt *m_statement;
    std::string_view m_what;
};

} // namespace kestrune::server
