#pragma once

#include "scheduler.h"

namespace rx {

// The GUI thread's event loop. schedule() runs at once when called on the GUI
// thread and is queued to it otherwise, through GuiThreadQueue, so it keeps
// its place among the other work posted from the same thread.
// scheduleAfter() always waits for the event loop. Needs a QCoreApplication
// for anything that has to wait.
class MainScheduler final : public Scheduler
{
public:
    static MainScheduler &instance();

    void schedule(std::function<void()> task) override;
    Disposable scheduleAfter(std::chrono::milliseconds delay, std::function<void()> task) override;

    static bool isOnMainThread();

private:
    MainScheduler() = default;
};

} // namespace rx
