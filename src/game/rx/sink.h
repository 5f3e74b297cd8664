#pragma once

#include "disposable.h"
#include "observer.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace rx::detail {

// The downstream end of one subscription. It stops forwarding after a terminal
// event or disposal, and owns the upstream subscription so that disposing the
// sink ends the source too. Sources may emit synchronously while they are
// being subscribed, before the upstream handle is known; setUpstream copes.
//
// The handlers are dropped when the subscription ends (they often capture
// their owner), but a handler that is running keeps its own copy alive, so a
// handler may dispose its own subscription or release its owner safely.
template<typename T> class Sink : public std::enable_shared_from_this<Sink<T>>
{
public:
    explicit Sink(Observer<T> observer, std::function<void()> onDisposed = {})
        : m_observer(std::make_shared<Observer<T>>(std::move(observer)))
        , m_onDisposed(std::move(onDisposed))
    {
    }

    bool isStopped() const { return m_stopped.load(); }

    void next(const T &value)
    {
        if (m_stopped.load())
            return;
        if (auto observer = current(); observer && observer->onNext)
            observer->onNext(value);
    }

    void error(std::exception_ptr e)
    {
        if (m_stopped.exchange(true))
            return;
        auto self = this->shared_from_this();
        if (auto observer = current(); observer && observer->onError)
            observer->onError(e);
        finish();
    }

    void completed()
    {
        if (m_stopped.exchange(true))
            return;
        auto self = this->shared_from_this();
        if (auto observer = current(); observer && observer->onCompleted)
            observer->onCompleted();
        finish();
    }

    void setUpstream(const Disposable &upstream)
    {
        bool already;
        {
            std::lock_guard lock(m_mutex);
            m_upstream = upstream;
            already = m_finished;
        }
        if (already)
            upstream.dispose();
    }

    void dispose()
    {
        m_stopped = true;
        finish();
    }

    // An observer that feeds this sink. It holds the sink, so a source keeps
    // its subscriptions alive until they end, as callers expect.
    Observer<T> forwarder()
    {
        auto self = this->shared_from_this();
        Observer<T> o;
        o.onNext = [self](const T &v) { self->next(v); };
        o.onError = [self](std::exception_ptr e) { self->error(e); };
        o.onCompleted = [self]() { self->completed(); };
        return o;
    }

    // The handle given to the subscriber. It holds the sink, so disposing
    // still ends the subscription (and runs onDisposed) after the source has
    // gone; the sink lets its handlers go when it ends.
    Disposable disposable()
    {
        auto self = this->shared_from_this();
        Disposable handle([self] { self->dispose(); });
        std::lock_guard lock(m_mutex);
        m_handle = handle.weak();
        return handle;
    }

private:
    std::shared_ptr<Observer<T>> current()
    {
        std::lock_guard lock(m_mutex);
        return m_observer;
    }

    void finish()
    {
        Disposable upstream;
        std::function<void()> onDisposed;
        std::shared_ptr<Observer<T>> observer;
        Disposable::Weak handle;
        {
            std::lock_guard lock(m_mutex);
            if (m_finished)
                return;
            m_finished = true;
            upstream = m_upstream;
            onDisposed.swap(m_onDisposed);
            observer.swap(m_observer);
            handle = m_handle;
        }
        upstream.dispose();
        // A subscription that ended on its own shows as disposed, so that
        // bags and operators holding its handle drop it.
        handle.dispose();
        if (onDisposed)
            onDisposed();
    }

    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    bool m_finished = false;
    std::shared_ptr<Observer<T>> m_observer;
    std::function<void()> m_onDisposed;
    Disposable m_upstream;
    Disposable::Weak m_handle;
};

} // namespace rx::detail
