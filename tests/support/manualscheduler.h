#pragma once

#include "game/rx/scheduler.h"

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kestrune::test {

// A scheduler that runs delayed tasks only when the test says so, and counts
// the timer handles somebody still holds.
class ManualScheduler final : public rx::Scheduler
{
public:
    void schedule(std::function<void()> task) override { task(); }
    rx::Disposable scheduleAfter(std::chrono::milliseconds delay, std::function<void()> task) override
    {
        struct Handle
        {
            explicit Handle(int &live)
                : live(live)
            {
                ++live;
            }
            ~Handle() { --live; }
            int &live;
            bool cancelled = false;
        };
        auto handle = std::make_shared<Handle>(liveHandles);
        std::weak_ptr<Handle> weak = handle;
        pending.push_back({delay, [weak, task] {
                               if (auto h = weak.lock(); h && !h->cancelled)
                                   task();
                           }});
        return rx::Disposable([handle] { handle->cancelled = true; });
    }
    void runAll()
    {
        auto tasks = std::move(pending);
        pending.clear();
        for (auto &t : tasks)
            t.second();
    }
    std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> pending;
    int liveHandles = 0;
};

} // namespace kestrune::test
