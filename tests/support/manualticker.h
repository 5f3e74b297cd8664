#pragma once

#include "game/ticker.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace kestrune::test {

// A ticker that ticks only when the test says so, on the test's thread:
// tick() stands for one tick of every live registration, the first included.
class ManualTicker final : public Ticker
{
public:
    rx::Disposable every(std::chrono::milliseconds interval, std::function<void()> tick) override
    {
        auto entry = std::make_shared<Entry>(Entry{interval, std::move(tick), false});
        {
            std::lock_guard lock(m_mutex);
            m_entries.push_back(entry);
        }
        return rx::Disposable([this, entry] {
            std::lock_guard lock(m_mutex);
            entry->disposed = true;
            std::erase(m_entries, entry);
        });
    }

    void tick()
    {
        std::vector<std::shared_ptr<Entry>> entries;
        {
            std::lock_guard lock(m_mutex);
            entries = m_entries;
        }
        for (const auto &entry : entries) {
            bool live;
            {
                std::lock_guard lock(m_mutex);
                live = !entry->disposed;
            }
            if (live)
                entry->tick();
        }
    }

    int liveCount() const
    {
        std::lock_guard lock(m_mutex);
        return int(m_entries.size());
    }

    // The interval the last registration asked for.
    std::chrono::milliseconds lastInterval() const
    {
        std::lock_guard lock(m_mutex);
        return m_entries.empty() ? std::chrono::milliseconds(0) : m_entries.back()->interval;
    }

private:
    struct Entry
    {
        std::chrono::milliseconds interval;
        std::function<void()> tick;
        bool disposed;
    };

    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
};

} // namespace kestrune::test
