#pragma once

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrune {

// Worker threads that run posted tasks, in the order posted, up to a number
// at a time (one: a serial queue). Built on the standard library's threads
// and locks rather than QThreadPool so that race checkers see every hand-over
// of a task. Threads start as work arrives and stay until the pool goes;
// destroying the pool runs the tasks already posted first, and those they
// post meanwhile. The threads are background threads: posting a task never
// hands them the poster's processor at once.
class WorkerPool
{
public:
    enum class Priority {
        normal,
        // For writers nobody waits for: when the processors are busy, they
        // get a small share of the time beside the GUI thread, not half.
        background,
    };

    WorkerPool(QString name, int maxThreads, Priority priority = Priority::normal);
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    QString name() const { return m_name; }

    // Any thread.
    void async(std::function<void()> task);

    // Starts a thread now when the pool has none, so that the first task
    // posted (from the GUI thread, say) does not pay for starting one.
    void prestart();

    // Blocks until no task is queued or running, including tasks posted by
    // tasks meanwhile. Never call it from one of the pool's own tasks.
    void waitForIdle();

private:
    void work();

    const QString m_name;
    const int m_maxThreads;
    const Priority m_priority;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_threads;
    int m_waiting = 0; // threads waiting for work
    int m_running = 0; // tasks being run
    bool m_stopping = false;
};

} // namespace kestrune
