#include "dispatchqueue.h"

#include "workerpool.h"

#include "game/rx/guithreadqueue.h"

#include <QThread>

namespace kestrune {

namespace {

WorkerPool &globalPool()
{
    // Lives as long as the process: tasks may still be running at exit.
    static WorkerPool *pool = new WorkerPool(QStringLiteral("global"), std::max(2, QThread::idealThreadCount()));
    return *pool;
}

} // namespace

void DispatchQueue::main(std::function<void()> task)
{
    // The same queue as the streams' main scheduler, so work posted from one
    // thread reaches the GUI thread in order whichever of the two posted it.
    rx::GuiThreadQueue::post(std::move(task));
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
    return rx::GuiThreadQueue::isGuiThread();
}

} // namespace kestrune
