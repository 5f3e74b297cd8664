#include "mainscheduler.h"

#include "guithreadqueue.h"

#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <memory>

namespace rx {

MainScheduler &MainScheduler::instance()
{
    static MainScheduler scheduler;
    return scheduler;
}

bool MainScheduler::isOnMainThread()
{
    return GuiThreadQueue::isGuiThread();
}

void MainScheduler::schedule(std::function<void()> task)
{
    if (isOnMainThread()) {
        task();
        return;
    }
    GuiThreadQueue::post(std::move(task));
}

Disposable MainScheduler::scheduleAfter(std::chrono::milliseconds delay, std::function<void()> task)
{
    QCoreApplication *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "MainScheduler::scheduleAfter", "a delayed task needs a QCoreApplication");
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    auto start = [app, delay, cancelled, task = std::move(task)]() mutable {
        if (cancelled->load())
            return;
        // Timers belong to the thread that starts them, so start it on the GUI thread.
        QTimer::singleShot(delay, Qt::PreciseTimer, app, [cancelled, task = std::move(task)] {
            if (!cancelled->load())
                task();
        });
    };
    if (isOnMainThread())
        start();
    else
        GuiThreadQueue::post(std::move(start));
    return Disposable([cancelled] { cancelled->store(true); });
}

} // namespace rx
