#pragma once

#include "observable.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace rx {

// A hot stream that the owner publishes on. An event reaches only the
// observers subscribed at that moment, synchronously on the publishing thread,
// in subscription order; nothing is replayed. After completion (or an error)
// further events are ignored and new subscribers get only the end.
//
// A handle type: copies publish to and subscribe on the same subject, so a
// publisher can keep a copy alive while it may be destroyed by a handler.
//
// Safe against the usual hazards of handlers: an observer may dispose itself
// or others, subscribe new observers (they see the next event, not this one),
// or destroy the subject's owner while an event is being delivered.
template<typename T> class PublishSubject
{
public:
    PublishSubject()
        : m_state(std::make_shared<State>())
    {
    }

    void onNext(const T &value) const
    {
        auto state = m_state; // lives through the delivery even if *this does not
        for (const auto &entry : state->snapshot()) {
            if (entry->active.load())
                entry->observer.onNext(value);
        }
    }

    void onCompleted() const
    {
        auto state = m_state;
        for (const auto &entry : state->stop(nullptr))
            entry->observer.onCompleted();
    }

    void onError(std::exception_ptr error) const
    {
        auto state = m_state;
        for (const auto &entry : state->stop(error))
            entry->observer.onError(error);
    }

    bool isStopped() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->stopped;
    }

    bool hasObservers() const
    {
        std::lock_guard lock(m_state->mutex);
        return !m_state->entries.empty();
    }

    Observable<T> asObservable() const
    {
        std::shared_ptr<State> state = m_state;
        return Observable<T>([state](const Observer<T> &observer) { return state->add(observer); });
    }

    Disposable subscribe(std::function<void(const T &)> onNext, std::function<void(std::exception_ptr)> onError = {},
                         std::function<void()> onCompleted = {}, std::function<void()> onDisposed = {}) const
    {
        return asObservable().subscribe(std::move(onNext), std::move(onError), std::move(onCompleted),
                                        std::move(onDisposed));
    }

private:
    struct Entry
    {
        explicit Entry(const Observer<T> &o)
            : observer(o)
        {
        }
        Observer<T> observer; // a sink forwarder: every handler is set
        std::atomic<bool> active{true};
    };

    struct State : std::enable_shared_from_this<State>
    {
        std::mutex mutex;
        std::vector<std::shared_ptr<Entry>> entries;
        bool stopped = false;
        std::exception_ptr error;

        std::vector<std::shared_ptr<Entry>> snapshot()
        {
            std::lock_guard lock(mutex);
            if (stopped)
                return {};
            return entries;
        }

        std::vector<std::shared_ptr<Entry>> stop(std::exception_ptr e)
        {
            std::lock_guard lock(mutex);
            if (stopped)
                return {};
            stopped = true;
            error = e;
            std::vector<std::shared_ptr<Entry>> all;
            all.swap(entries);
            std::erase_if(all, [](const auto &entry) { return !entry->active.load(); });
            return all;
        }

        Disposable add(const Observer<T> &observer)
        {
            std::shared_ptr<Entry> entry;
            {
                std::lock_guard lock(mutex);
                if (!stopped) {
                    entry = std::make_shared<Entry>(observer);
                    entries.push_back(entry);
                }
            }
            if (!entry) {
                if (error)
                    observer.onError(error);
                else
                    observer.onCompleted();
                return Disposable();
            }
            std::weak_ptr<State> weak = this->shared_from_this();
            std::weak_ptr<Entry> weakEntry = entry;
            return Disposable([weak, weakEntry] {
                auto e = weakEntry.lock();
                if (!e)
                    return;
                e->active = false;
                if (auto s = weak.lock()) {
                    std::lock_guard lock(s->mutex);
                    std::erase(s->entries, e);
                }
            });
        }
    };

    std::shared_ptr<State> m_state;
};

} // namespace rx
