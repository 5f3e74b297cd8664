#include "postgrespool.h"

#include "gameservice/server/store/store.h"

#include <utility>

namespace kestrune::server {

PostgresPool::Lease::Lease(PostgresPool *pool, std::unique_ptr<PostgresConnection> connection)
    : m_pool(pool)
    , m_connection(std::move(connection))
{
}

PostgresPool::Lease::Lease(Lease &&other) noexcept
    : m_pool(other.m_pool)
    , m_connection(std::move(other.m_connection))
{
}

PostgresPool::Lease::~Lease()
{
    if (m_connection)
        m_pool->giveBack(std::move(m_connection));
}

PostgresPool::PostgresPool(std::string conninfo, int size, std::chrono::milliseconds waitLimit)
    : m_conninfo(std::move(conninfo))
    , m_size(size < 1 ? 1 : size)
    , m_waitLimit(waitLimit)
{
}

PostgresPool::Lease PostgresPool::acquire()
{
    std::unique_lock lock(m_mutex);
    const bool available =
        m_returned.wait_for(lock, m_waitLimit, [this] { return !m_idle.empty() || m_open < m_size; });
    if (!available)
        throw StoreError("no PostgreSQL connection became free within " + std::to_string(m_waitLimit.count()) + " ms");
    if (!m_idle.empty()) {
        auto connection = std::move(m_idle.back());
        m_idle.pop_back();
        return Lease(this, std::move(connection));
    }
    // Connect outside the lock: it takes a round trip or a timeout.
    ++m_open;
    lock.unlock();
    try {
        return Lease(this, std::make_unique<PostgresConnection>(m_conninfo));
    } catch (...) {
        lock.lock();
        --m_open;
        m_returned.notify_one();
        throw;
    }
}

void PostgresPool::giveBack(std::unique_ptr<PostgresConnection> connection)
{
    const bool keep = connection->reusable();
    if (!keep)
        connection.reset(); // closed before taking the lock
    {
        std::lock_guard lock(m_mutex);
        if (keep)
            m_idle.push_back(std::move(connection));
        else
            --m_open;
    }
    m_returned.notify_one();
}

} // namespace kestrune::server
