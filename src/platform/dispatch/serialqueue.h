#pragma once

#include "workerpool.h"

#include <QString>

#include <functional>

namespace kestrune {

// A queue that runs its tasks one after another, in the order posted, on a
// worker thread of its own. Destroying it waits for the tasks already posted.
class SerialQueue
{
public:
    explicit SerialQueue(const QString &label, WorkerPool::Priority priority = WorkerPool::Priority::normal)
        : m_pool(label, 1, priority)
    {
    }

    QString label() const { return m_pool.name(); }

    // Any thread.
    void async(std::function<void()> task) { m_pool.async(std::move(task)); }

    // Starts the thread now rather than with the first task.
    void prestart() { m_pool.prestart(); }

    // Blocks until every task posted so far has run.
    void waitForIdle() { m_pool.waitForIdle(); }

private:
    WorkerPool m_pool;
};

} // namespace kestrune
