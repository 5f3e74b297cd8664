#include "mainscheduler.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
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
    const QCoreApplication *app = QCoreApplication::instance();
    // Without an application object there is no event loop to hop to; the
    // caller's thread is the only one there is.
    return !app || QThread::currentThread() == app->thread();
}

void MainScheduler::schedule(std::function<void()> task)
{
    if (isOnMainThread()) {
        task();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
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
    if (QThread::currentThread() == app->thread())
        start();
    else
        QMetaObject::invokeMethod(app, std::move(start), Qt::QueuedConnection);
    return Disposable([cancelled] { cancelled->store(true); });
}

} // namespace rx
