#pragma once

#include <functional>

namespace rx {

// The one way from any thread to the GUI thread's event loop, shared by
// MainScheduler and the platform's main dispatch queue: tasks run on the GUI
// thread in the order they were posted, whichever of them posted them.
//
// Tasks wait in a list behind a standard mutex, so race checkers see each
// task's data pass from its thread to the GUI thread; one Qt event wakes the
// loop when the list stops being empty.
class GuiThreadQueue
{
public:
    // Any thread. Always asynchronous, even on the GUI thread. Without a
    // QCoreApplication there is no loop to queue to and the task runs at once.
    static void post(std::function<void()> task);

    // True on the GUI thread, and on any thread while there is no
    // QCoreApplication (the caller's thread is then the only one there is).
    static bool isGuiThread();

    GuiThreadQueue() = delete;
};

} // namespace rx
