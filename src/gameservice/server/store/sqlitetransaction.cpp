#include "sqlitetransaction.h"

#include "sqliteconnection.h"

namespace kestrune::server {

SqliteTransaction::SqliteTransaction(SqliteConnection &connection, Kind kind)
    : m_connection(connection)
{
    if (kind == Kind::Write)
        m_connection.execute("BEGIN IMMEDIATE", "starting a write");
    else
        m_connection.execute("BEGIN", "starting a read");
}

SqliteTransaction::~SqliteTransaction()
{
    if (m_open && !sqlite3_get_autocommit(m_connection.handle()))
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit()
{
    m_connection.execute("COMMIT", "committing");
    m_open = false;
}

} // namespace kestrune::server
