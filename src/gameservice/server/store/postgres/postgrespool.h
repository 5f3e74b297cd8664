#pragma once

#include "postgresconnection.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kestrune::server {

// At most `size` connections to one database, opened when first needed and
// shared by the server's threads: a thread holds one for one transaction.
class PostgresPool
{
public:
    // A connection on loan; it goes back to the pool (or, broken or left
    // inside a transaction, is closed) when the lease ends.
    class Lease
    {
    public:
        Lease(PostgresPool *pool, std::unique_ptr<PostgresConnection> connection);
        Lease(Lease &&other) noexcept;
        Lease &operator=(Lease &&) = delete;
        ~Lease();

        PostgresConnection &operator*() const { return *m_connection; }
        PostgresConnection *operator->() const { return m_connection.get(); }

    private:
        PostgresPool *m_pool;
        std::unique_ptr<PostgresConnection> m_connection;
    };

    PostgresPool(std::string conninfo, int size, std::chrono::milliseconds waitLimit = std::chrono::seconds(30));

    // Waits at most the wait limit for a free connection; throws StoreError
    // then, or when a new connection cannot be opened.
    Lease acquire();

private:
    void giveBack(std::unique_ptr<PostgresConnection> connection);

    const std::string m_conninfo;
    const int m_size;
    const std::chrono::milliseconds m_waitLimit;
    std::mutex m_mutex;
    std::condition_variable m_returned;
    std::vector<std::unique_ptr<PostgresConnection>> m_idle;
    int m_open = 0; // idle and on loan
};

} // namespace kestrune::server
