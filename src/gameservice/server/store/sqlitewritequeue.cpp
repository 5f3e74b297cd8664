#include "sqlitewritequeue.h"

#include "sqliteconnection.h"
#include "sqlitetransaction.h"

namespace kestrune::server {

SqliteWriteQueue::SqliteWriteQueue(SqliteConnection &writer)
    : m_writer(writer)
{
}

void SqliteWriteQueue::run(const Work &work)
{
    Job job{&work, nullptr};
    std::unique_lock lock(m_mutex);
    m_waiting.push_back(&job);
    while (!job.done) {
        if (m_committing) {
            m_finished.wait(lock);
            continue;
        }
        // Nobody is committing: lead the next group, which holds this job.
        m_committing = true;
        std::vector<Job *> group;
        group.swap(m_waiting);
        lock.unlock();
        commitGroup(group);
        lock.lock();
        for (Job *member : group)
            member->done = true;
        ++m_counts.transactions;
        m_counts.writes += static_cast<long long>(group.size());
        m_committing = false;
        m_finished.notify_all();
    }
    if (job.error)
        std::rethrow_exception(job.error);
}

SqliteWriteQueue::Counts SqliteWriteQueue::counts() const
{
    std::lock_guard lock(m_mutex);
    return m_counts;
}

std::size_t SqliteWriteQueue::waiting() const
{
    std::lock_guard lock(m_mutex);
    return m_waiting.size();
}

void SqliteWriteQueue::commitGroup(const std::vector<Job *> &group)
{
    try {
        SqliteTransaction transaction(m_writer, SqliteTransaction::Kind::Write);
        for (Job *job : group) {
            m_writer.run("SAVEPOINT write", "starting a write");
            try {
                (*job->work)(m_writer);
            } catch (...) {
                job->error = std::current_exception();
                m_writer.run("ROLLBACK TO write", "undoing a failed write");
            }
            m_writer.run("RELEASE write", "finishing a write");
        }
        transaction.commit();
    } catch (...) {
        // The transaction is gone, and with it every write of the group.
        for (Job *job : group) {
            if (!job->error)
                job->error = std::current_exception();
        }
    }
}

} // namespace kestrune::server
