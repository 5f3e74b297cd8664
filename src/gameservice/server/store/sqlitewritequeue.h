#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <vector>

namespace kestrune::server {

class SqliteConnection;

// Group commit on the one writer connection. Writers that arrive while a
// transaction is committing queue up; the first of them then runs the whole
// queue in one transaction, each write in its own savepoint, and commits once.
// Every caller returns only after the transaction holding its write has
// committed, so an answer still means "stored"; the commit's cost (the WAL
// append) is shared by everyone in the group.
class SqliteWriteQueue
{
public:
    using Work = std::function<void(SqliteConnection &)>;

    explicit SqliteWriteQueue(SqliteConnection &writer);

    // Runs `work` in a committed transaction. An exception from it undoes only
    // its own writes and is rethrown here; a failed commit fails every write
    // of the group.
    void run(const Work &work);

    // How many transactions committed how many writes: for the benchmark.
    struct Counts
    {
        long long transactions = 0;
        long long writes = 0;
    };
    Counts counts() const;
    // Writes queued behind the one committing now.
    std::size_t waiting() const;

private:
    struct Job
    {
        const Work *work;
        std::exception_ptr error;
        bool done = false;
    };

    void commitGroup(const std::vector<Job *> &group);

    SqliteConnection &m_writer;
    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    std::vector<Job *> m_waiting;
    bool m_committing = false;
    Counts m_counts;
};

} // namespace kestrune::server
