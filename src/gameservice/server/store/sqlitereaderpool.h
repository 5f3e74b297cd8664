#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kestrune::server {

class SqliteConnection;

// Read-only connections for the threads that read at the same time. In WAL
// readers never wait for the writer, so each concurrent read gets its own
// connection; idle ones are kept for the next read.
class SqliteReaderPool
{
public:
    explicit SqliteReaderPool(std::string path);
    ~SqliteReaderPool();

    // A connection for one thread until the lease ends.
    class Lease
    {
    public:
        Lease(SqliteReaderPool &pool, std::unique_ptr<SqliteConnection> connection);
        ~Lease();
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        SqliteConnection &operator*() const { return *m_connection; }

    private:
        SqliteReaderPool &m_pool;
        std::unique_ptr<SqliteConnection> m_connection;
    };

    Lease acquire();

private:
    std::string m_path;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<SqliteConnection>> m_idle;
};

} // namespace kestrune::server
