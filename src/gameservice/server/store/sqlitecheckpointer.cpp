#include "sqlitecheckpointer.h"

#include "sqliteconnection.h"

#include <chrono>

namespace kestrune::server {

namespace {

constexpr auto interval = std::chrono::milliseconds(250);

} // namespace

SqliteCheckpointer::SqliteCheckpointer(const std::string &path)
    : m_connection(std::make_unique<SqliteConnection>(path, true))
    , m_thread([this] { loop(); })
{
}

SqliteCheckpointer::~SqliteCheckpointer()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void SqliteCheckpointer::loop()
{
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, interval, [this] { return m_stopping; })) {
        lock.unlock();
        // Passive: copies what no reader still needs and never blocks a
        // writer; a busy or failed round is simply tried again next time.
        sqlite3_wal_checkpoint_v2(m_connection->handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        lock.lock();
    }
}

} // namespace kestrune::server
