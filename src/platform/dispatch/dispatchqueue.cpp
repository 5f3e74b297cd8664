#include "dispatchqueue.h"

#include "workerpool.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>

#include <deque>
#include <mutex>

#include <sys/eventfd.h>
#include <unistd.h>

namespace kestrune {

namespace {

// Tasks for the GUI thread wait in a locked list; an eventfd watched by a
// socket notifier on the GUI thread wakes it. Unlike posting Qt events, both
// the lock and the eventfd are visible to race checkers, so a task's data is
// seen to pass safely from its thread to the GUI thread.
class MainQueue
{
public:
    static MainQueue &instance()
    {
        static MainQueue *queue = new MainQueue; // lives as long as the process
        return *queue;
    }

    void post(std::function<void()> task)
    {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = ::write(m_fd, &one, sizeof one);
        if (DispatchQueue::isMainThread())
            ensureNotifier();
        else if (!m_notifierMade.load())
            QMetaObject::invokeMethod(QCoreApplication::instance(), &MainQueue::ensureOnMain, Qt::QueuedConnection);
    }

private:
    MainQueue()
        : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
    {
    }

    static void ensureOnMain() { instance().ensureNotifier(); }

    // GUI thread.
    void ensureNotifier()
    {
        if (m_notifierMade.exchange(true))
            return;
        auto *notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this] { drain(); });
        // Anything posted before the notifier existed.
        QMetaObject::invokeMethod(notifier, [this] { drain(); }, Qt::QueuedConnection);
    }

    // Runs the tasks queued so far; later ones wait for the next wake-up, so
    // a task that posts another cannot starve the event loop.
    void drain()
    {
        uint64_t count = 0;
        [[maybe_unused]] ssize_t read = ::read(m_fd, &count, sizeof count);
        std::deque<std::function<void()>> tasks;
        {
            std::lock_guard lock(m_mutex);
            tasks.swap(m_tasks);
        }
        for (auto &task : tasks)
            task();
    }

    const int m_fd;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    std::atomic<bool> m_notifierMade{false};
};

WorkerPool &globalPool()
{
    // Lives as long as the process: tasks may still be running at exit.
    static WorkerPool *pool = new WorkerPool(QStringLiteral("global"), std::max(2, QThread::idealThreadCount()));
    return *pool;
}

} // namespace

void DispatchQueue::main(std::function<void()> task)
{
    if (!QCoreApplication::instance()) {
        task();
        return;
    }
    MainQueue::instance().post(std::move(task));
}

void DispatchQueue::global(std::function<void()> task)
{
    globalPool().async(std::move(task));
}

void DispatchQueue::waitForGlobal()
{
    globalPool().waitForIdle();
}

bool DispatchQueue::isMainThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace kestrune
