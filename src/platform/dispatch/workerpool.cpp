#include "workerpool.h"

#include <algorithm>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

namespace kestrune {

WorkerPool::WorkerPool(QString name, int maxThreads, Priority priority)
    : m_name(std::move(name))
    , m_maxThreads(std::max(1, maxThreads))
    , m_priority(priority)
{
}

WorkerPool::~WorkerPool()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        threads.swap(m_threads);
    }
    m_workAvailable.notify_all();
    for (std::thread &t : threads)
        t.join();
}

void WorkerPool::async(std::function<void()> task)
{
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
    // Once stopping, no thread starts: the ones left run what is posted
    // meanwhile (by their own tasks) before they end.
    if (!m_stopping && m_waiting == 0 && int(m_threads.size()) < m_maxThreads)
        m_threads.emplace_back([this] { work(); });
    else
        m_workAvailable.notify_one();
}

void WorkerPool::prestart()
{
    std::lock_guard lock(m_mutex);
    if (!m_stopping && m_threads.empty())
        m_threads.emplace_back([this] { work(); });
}

void WorkerPool::waitForIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_tasks.empty() && m_running == 0; });
}

void WorkerPool::work()
{
    // Background work: a task posted from the GUI thread must not take that
    // thread's processor the moment it is posted (the scheduler's wake-up
    // preemption), only its fair share of the time.
#ifdef SCHED_BATCH
    const sched_param normal{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &normal);
#endif
    // Ten steps nicer than the process: about a tenth of the weight of its
    // other threads. On Linux a thread's niceness is its own.
    if (m_priority == Priority::background)
        setpriority(PRIO_PROCESS, 0, std::min(getpriority(PRIO_PROCESS, 0) + 10, 19));
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_waiting;
        m_workAvailable.wait(lock, [this] { return !m_tasks.empty() || m_stopping; });
        --m_waiting;
        if (m_tasks.empty())
            return; // stopping, and nothing left to run
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        ++m_running;
        lock.unlock();
        task();
        task = nullptr; // release what it holds before counting it done
        lock.lock();
        --m_running;
        if (m_tasks.empty() && m_running == 0)
            m_idle.notify_all();
    }
}

} // namespace kestrune
