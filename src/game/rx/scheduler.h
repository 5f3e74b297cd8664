#pragma once

#include "disposable.h"

#include <chrono>
#include <functional>

namespace rx {

// Where and when stream events are delivered.
class Scheduler
{
public:
    virtual ~Scheduler() = default;

    // Runs the task on the scheduler's thread; at once when the caller is
    // already there.
    virtual void schedule(std::function<void()> task) = 0;

    // Runs the task after the delay on the scheduler's thread, unless the
    // returned handle is disposed first.
    virtual Disposable scheduleAfter(std::chrono::milliseconds delay, std::function<void()> task) = 0;
};

} // namespace rx
