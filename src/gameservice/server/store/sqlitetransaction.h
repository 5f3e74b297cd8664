#pragma once

namespace kestrune::server {

class SqliteConnection;

// A transaction that rolls back unless committed: an exception half-way
// through a store call leaves nothing of it in the file.
class SqliteTransaction
{
public:
    enum class Kind {
        Read,  // a snapshot: every query inside sees the same data
        Write, // takes the write lock at once, so it never fails half-way for a lock
    };

    SqliteTransaction(SqliteConnection &connection, Kind kind);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit();

private:
    SqliteConnection &m_connection;
    bool m_open = true;
};

} // namespace kestrune::server
