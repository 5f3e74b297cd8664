#include "guithreadqueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

namespace rx {

namespace {

// Lives on the GUI thread; its wake-up events carry no data of their own.
class Receiver final : public QObject
{
public:
    static Receiver &instance()
    {
        if (Receiver *receiver = s_instance.load(std::memory_order_acquire))
            return *receiver;
        static std::mutex creation;
        std::lock_guard lock(creation);
        if (Receiver *receiver = s_instance.load(std::memory_order_relaxed))
            return *receiver;
        // Lives as long as the process: tasks may be posted until exit.
        auto *made = new Receiver;
        made->moveToThread(QCoreApplication::instance()->thread());
        s_instance.store(made, std::memory_order_release);
        return *made;
    }

    void post(std::function<void()> task)
    {
        QEvent *wakeUp = nullptr;
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
            // Made under the lock, which event() takes before it reads the
            // event: Qt's own hand-over is invisible to race checkers.
            if (!std::exchange(m_wakePosted, true))
                wakeUp = new QEvent(wakeType());
        }
        if (wakeUp)
            QCoreApplication::postEvent(this, wakeUp);
    }

protected:
    bool event(QEvent *event) override
    {
        // The receiver may have been made on another thread, and Qt hands
        // the event over behind locks a race checker cannot see: acquire the
        // construction, then the lock the event was made under.
        s_instance.load(std::memory_order_acquire);
        {
            std::lock_guard lock(m_mutex); // see post()
        }
        if (event->type() != wakeType())
            return QObject::event(event);
        std::size_t count;
        {
            std::lock_guard lock(m_mutex);
            m_wakePosted = false;
            count = m_tasks.size();
        }
        // Only the tasks waiting now; tasks they post wait for the next
        // turn, so a task that posts another cannot starve the loop.
        while (count-- > 0) {
            std::function<void()> task;
            bool wake = false;
            {
                std::lock_guard lock(m_mutex);
                if (m_tasks.empty())
                    break;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
                // If the task runs a nested event loop (a modal dialog), the
                // tasks behind it still run there, in order.
                if (!m_tasks.empty() && !m_wakePosted)
                    wake = m_wakePosted = true;
            }
            if (wake)
                QCoreApplication::postEvent(this, new QEvent(wakeType()));
            task();
        }
        return true;
    }

private:
    static QEvent::Type wakeType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    static inline std::atomic<Receiver *> s_instance{nullptr};
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    bool m_wakePosted = false; // a wake-up event is queued and not yet started
};

} // namespace

void GuiThreadQueue::post(std::function<void()> task)
{
    if (!QCoreApplication::instance()) {
        task();
        return;
    }
    Receiver::instance().post(std::move(task));
}

bool GuiThreadQueue::isGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace rx
