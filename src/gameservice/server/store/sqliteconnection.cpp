#include "sqliteconnection.h"

#include "store.h"

namespace kestrune::server {

namespace {

constexpr int busyTimeoutMs = 5000;
// No memory map of the file: in WAL mode a reader drops its whole map when
// it sees a newer commit, and under write load that unmap (a TLB flush on
// every core) cost more than the page reads it saves. The writer keeps more
// of the indexes it updates in its own cache.
constexpr const char *noMap = "PRAGMA mmap_size = 0";
constexpr const char *writerCache = "PRAGMA cache_size = -65536";

} // namespace

SqliteConnection::SqliteConnection(const std::string &path, bool writable)
{
    // Each connection is used by one thread at a time (the store hands them
    // out), so SQLite's own per-connection mutex is not needed.
    const int flags = (writable ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY)
                      | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw StoreError("sqlite: opening " + path + " failed: " + message);
    }
    try {
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        sqlite3_extended_result_codes(m_db, 1);
        if (writable) {
            execute("PRAGMA journal_mode = WAL", "switching to WAL");
            // In WAL a commit then survives the process being killed; only a power
            // cut may lose the last commits, and the file stays consistent.
            execute("PRAGMA synchronous = NORMAL", "setting synchronous");
            execute(writerCache, "sizing the cache");
            // The checkpointer thread keeps the WAL short; this is the backstop.
            execute("PRAGMA wal_autocheckpoint = 10000", "setting the checkpoint backstop");
        }
        execute(noMap, "turning off the file map");
        execute("PRAGMA foreign_keys = ON", "enabling foreign keys");
    } catch (...) {
        // The destructor does not run for a half-made object.
        sqlite3_close_v2(m_db);
        throw;
    }
}

SqliteConnection::~SqliteConnection()
{
    for (auto &[sql, statement] : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
}

void SqliteConnection::execute(const char *sql, std::string_view what)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(m_db);
        sqlite3_free(error);
        throw StoreError("sqlite: " + std::string(what) + " failed: " + message);
    }
}

void SqliteConnection::run(const char *sql, std::string_view what)
{
    sqlite3_stmt *statement = prepared(sql);
    const int result = sqlite3_step(statement);
    if (result != SQLITE_DONE && result != SQLITE_ROW) {
        const std::string message = sqlite3_errmsg(m_db);
        sqlite3_reset(statement);
        throw StoreError("sqlite: " + std::string(what) + " failed: " + message);
    }
    sqlite3_reset(statement);
}

sqlite3_stmt *SqliteConnection::prepared(const char *sql)
{
    auto it = m_statements.find(sql);
    if (it != m_statements.end())
        return it->second;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        fail("preparing a statement");
    m_statements.emplace(sql, statement);
    return statement;
}

void SqliteConnection::fail(std::string_view what) const
{
    throw StoreError("sqlite: " + std::string(what) + " failed: " + sqlite3_errmsg(m_db));
}

} // namespace kestrune::server
