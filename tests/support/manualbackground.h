#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace kestrune::test {

// A background runner that keeps the work it is given until the test runs
// it, on the test's own thread, so that what happens meanwhile is the test's
// to choose.
class ManualBackground
{
public:
    std::function<void(std::function<void()>)> runner()
    {
        return [this](std::function<void()> work) { pending.push_back(std::move(work)); };
    }
    // Runs what waits now; work it queues waits for the next call.
    void runAll()
    {
        auto work = std::move(pending);
        pending.clear();
        for (auto &task : work)
            task();
    }
    std::vector<std::function<void()>> pending;
};

} // namespace kestrune::test
