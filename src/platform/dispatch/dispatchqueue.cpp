#include "dispatchqueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QThreadPool>

namespace kestrune {

void DispatchQueue::main(std::function<void()> task)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        task();
        return;
    }
    QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
}

void DispatchQueue::global(std::function<void()> task)
{
    QThreadPool::globalInstance()->start(std::move(task));
}

void DispatchQueue::waitForGlobal()
{
    QThreadPool::globalInstance()->waitForDone();
}

bool DispatchQueue::isMainThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace kestrune
