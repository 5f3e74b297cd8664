#pragma once

#include "game/ticker.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrune {

// The real ticker: one worker thread of its own waits for the next deadline
// and runs the ticks that are due, one at a time. Deadlines fall exactly
// every interval after the first tick (no leeway); a tick that was missed
// because an earlier one ran long is not made up, the next one follows an
// interval later. Built on the standard library's threads and locks so that
// race checkers see every hand-over.
class WorkerTicker final : public Ticker
{
public:
    WorkerTicker();
    // Stops the thread and lets every tick go. Not from one of its ticks.
    ~WorkerTicker() override;
    WorkerTicker(const WorkerTicker &) = delete;
    WorkerTicker &operator=(const WorkerTicker &) = delete;

    // The program's ticker; it lives as long as the process.
    static WorkerTicker &shared();

    // Any thread. The first tick runs on the worker at once.
    rx::Disposable every(std::chrono::milliseconds interval, std::function<void()> tick) override;

private:
    using TimePoint = std::chrono::steady_clock::time_point;

    struct Registration
    {
        std::chrono::milliseconds interval;
        std::function<void()> tick; // emptied when disposed
        TimePoint next;
    };

    // Shared with the handles given out, which may outlive the ticker.
    struct State
    {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<std::shared_ptr<Registration>> registrations;
        bool stopping = false;
    };

    static void run(const std::shared_ptr<State> &state);

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

} // namespace kestrune
