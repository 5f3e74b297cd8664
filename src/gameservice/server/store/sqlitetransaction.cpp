#include "sqlitetransaction.h"

#include "sqliteconnection.h"

#include <exception>

namespace kestrune::server {

SqliteTransaction::SqliteTransaction(SqliteConnection &connection, Kind kind)
    : m_connection(connection)
{
    if (kind == Kind::Write)
        m_connection.run("BEGIN IMMEDIATE", "starting a write");
    else
        m_connection.run("BEGIN", "starting a read");
}

SqliteTransaction::~SqliteTransaction()
{
    if (m_open && !sqlite3_get_autocommit(m_connection.handle())) {
        try {
            m_connection.run("ROLLBACK", "rolling back");
        } catch (const std::exception &) {
            // Nothing more to do: the connection drops the transaction on its next use.
        }
    }
}

void SqliteTransaction::commit()
{
    m_connection.run("COMMIT", "committing");
    m_open = false;
}

} // namespace kestrune::server
