#include "sqlitereaderpool.h"

#include "sqliteconnection.h"

namespace kestrune::server {

namespace {

// More idle connections than this are closed: a burst of readers should not
// keep its page caches forever.
constexpr std::size_t maxIdle = 16;

} // namespace

SqliteReaderPool::SqliteReaderPool(std::string path)
    : m_path(std::move(path))
{
}

SqliteReaderPool::~SqliteReaderPool() = default;

SqliteReaderPool::Lease::Lease(SqliteReaderPool &pool, std::unique_ptr<SqliteConnection> connection)
    : m_pool(pool)
    , m_connection(std::move(connection))
{
}

SqliteReaderPool::Lease::~Lease()
{
    std::lock_guard lock(m_pool.m_mutex);
    if (m_pool.m_idle.size() < maxIdle)
        m_pool.m_idle.push_back(std::move(m_connection));
}

SqliteReaderPool::Lease SqliteReaderPool::acquire()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            auto connection = std::move(m_idle.back());
            m_idle.pop_back();
            return Lease(*this, std::move(connection));
        }
    }
    // Opened outside the lock: opening touches the file.
    return Lease(*this, std::make_unique<SqliteConnection>(m_path, false));
}

} // namespace kestrune::server
