#include "guithreadqueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <deque>
#include <mutex>

namespace rx {

namespace {

// Lives on the GUI thread; its wake-up events carry no data of their own.
class Receiver final : public QObject
{
public:
    static Receiver &instance()
    {
        // Lives as long as the process: tasks may be posted until exit.
        static Receiver *receiver = [] {
            auto *made = new Receiver;
            made->moveToThread(QCoreApplication::instance()->thread());
            return made;
        }();
        return *receiver;
    }

    void post(std::function<void()> task)
    {
        bool wake;
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
            wake = !m_wakePosted;
            m_wakePosted = true;
        }
        if (wake)
            QCoreApplication::postEvent(this, new QEvent(wakeType()));
    }

protected:
    bool event(QEvent *event) override
    {
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
