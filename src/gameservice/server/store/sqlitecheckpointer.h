#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kestrune::server {

class SqliteConnection;

// Copies the WAL back into the database file on a thread of its own, a few
// times a second, so that no writer waits for that copy and its sync; a page
// rewritten by many commits in between is copied once. The writer still
// checkpoints itself if the WAL grows far beyond this pace.
class SqliteCheckpointer
{
public:
    explicit SqliteCheckpointer(const std::string &path);
    ~SqliteCheckpointer();
    SqliteCheckpointer(const SqliteCheckpointer &) = delete;
    SqliteCheckpointer &operator=(const SqliteCheckpointer &) = delete;

private:
    void loop();

    std::unique_ptr<SqliteConnection> m_connection;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace kestrune::server
