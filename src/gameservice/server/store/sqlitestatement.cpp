#include "sqlitestatement.h"

#include "sqliteconnection.h"

namespace kestrune::server {

SqliteStatement::SqliteStatement(SqliteConnection &connection, const char *sql, std::string_view what)
    : m_connection(connection)
    , m_statement(connection.prepared(sql))
    , m_what(what)
{
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

void SqliteStatement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        m_connection.fail(m_what);
}

void SqliteStatement::bind(int index, double value)
{
    if (sqlite3_bind_double(m_statement, index, value) != SQLITE_OK)
        m_connection.fail(m_what);
}

void SqliteStatement::bind(int index, std::string_view value)
{
    // SQLITE_TRANSIENT: the caller's string may not outlive the statement's use.
    if (sqlite3_bind_text64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        m_connection.fail(m_what);
}

bool SqliteStatement::step()
{
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        m_connection.fail(m_what);
    }
}

int SqliteStatement::run()
{
    while (step()) {}
    return sqlite3_changes(m_connection.handle());
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::string SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return data ? std::string(data, std::size_t(sqlite3_column_bytes(m_statement, column))) : std::string();
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

} // namespace kestrune::server
