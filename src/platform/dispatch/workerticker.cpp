#include "workerticker.h"

#include <algorithm>

namespace kestrune {

WorkerTicker::WorkerTicker()
    : m_state(std::make_shared<State>())
{
    m_thread = std::thread([state = m_state] { run(state); });
}

WorkerTicker::~WorkerTicker()
{
    std::vector<std::shared_ptr<Registration>> registrations;
    {
        std::lock_guard lock(m_state->mutex);
        m_state->stopping = true;
        registrations.swap(m_state->registrations);
    }
    m_state->changed.notify_all();
    m_thread.join();
    // The ticks (and what they hold) go here, outside the lock.
    for (const auto &registration : registrations)
        registration->tick = nullptr;
}

WorkerTicker &WorkerTicker::shared()
{
    // Never destroyed: subscriptions may still hold ticks at exit.
    static WorkerTicker *ticker = new WorkerTicker;
    return *ticker;
}

rx::Disposable WorkerTicker::every(std::chrono::milliseconds interval, std::function<void()> tick)
{
    auto registration = std::make_shared<Registration>();
    registration->interval = std::max(interval, std::chrono::milliseconds(1));
    registration->tick = std::move(tick);
    registration->next = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->stopping)
            return rx::Disposable();
        m_state->registrations.push_back(registration);
    }
    m_state->changed.notify_all();

    std::weak_ptr<State> weakState = m_state;
    return rx::Disposable([weakState, registration] {
        std::function<void()> dropped;
        if (auto state = weakState.lock()) {
            std::lock_guard lock(state->mutex);
            std::erase(state->registrations, registration);
            dropped.swap(registration->tick);
        }
        // A tick that is running holds its own copy; what the tick captured
        // is released outside the lock, here or when that tick returns.
    });
}

void WorkerTicker::run(const std::shared_ptr<State> &state)
{
    std::unique_lock lock(state->mutex);
    for (;;) {
        if (state->stopping)
            return;
        if (state->registrations.empty()) {
            state->changed.wait(lock);
            continue;
        }
        const auto due = std::min_element(state->registrations.begin(), state->registrations.end(),
                                          [](const auto &a, const auto &b) { return a->next < b->next; });
        std::shared_ptr<Registration> registration = *due;
        if (std::chrono::steady_clock::now() < registration->next) {
            // Woken early by a new registration or the end: look again. A
            // disposal does not wake the thread; it finds that deadline gone.
            state->changed.wait_until(lock, registration->next);
            continue;
        }
        std::function<void()> tick = registration->tick;
        registration->next += registration->interval;
        const TimePoint now = std::chrono::steady_clock::now();
        if (registration->next <= now)
            registration->next = now + registration->interval;
        lock.unlock();
        tick();
        tick = nullptr;
        registration.reset();
        lock.lock();
    }
}

} // namespace kestrune
