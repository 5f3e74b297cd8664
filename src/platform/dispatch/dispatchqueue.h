#pragma once

#include <functional>

namespace kestrune {

// The two shared queues every part of the program may post to.
class DispatchQueue
{
public:
    // Queues the task to the GUI thread's event loop. Always asynchronous, even
    // when called on the GUI thread, so the caller finishes first. Tasks run in
    // the order posted, together with those of rx::MainScheduler. Without a
    // QCoreApplication there is no loop to queue to and the task runs at once.
    static void main(std::function<void()> task);

    // Runs the task on a worker thread of the shared pool (the global
    // concurrent queue of default priority).
    static void global(std::function<void()> task);

    // Blocks until the shared pool has no task left; for shutdown and tests.
    static void waitForGlobal();

    static bool isMainThread();

    DispatchQueue() = delete;
};

} // namespace kestrune
