#pragma once

#include "mainscheduler.h"
#include "observable.h"

namespace rx {

// A stream for the user interface: it never fails and delivers on the GUI
// thread, in the order published (at once when the event is published there
// and no earlier one is still on its way from another thread).
template<typename T> class Driver
{
public:
    // Wraps a stream that is already safe; use asDriver() to make one.
    explicit Driver(Observable<T> source)
        : m_source(std::move(source))
    {
    }

    Disposable drive(std::function<void(const T &)> onNext, std::function<void()> onCompleted = {},
                     std::function<void()> onDisposed = {}) const
    {
        return m_source.subscribe(std::move(onNext), {}, std::move(onCompleted), std::move(onDisposed));
    }

    template<typename F, typename U = std::invoke_result_t<F, const T &>> Driver<U> map(F transform) const
    {
        return Driver<U>(m_source.map(std::move(transform)));
    }

    template<typename F> Driver filter(F predicate) const { return Driver(m_source.filter(std::move(predicate))); }

    Driver doOn(std::function<void(const T &)> onNext, std::function<void()> onCompleted = {}) const
    {
        return Driver(m_source.doOn(std::move(onNext), std::move(onCompleted)));
    }

    const Observable<T> &asObservable() const { return m_source; }

private:
    Observable<T> m_source;
};

// asDriver(onErrorJustReturn:)
template<typename T> Driver<T> asDriver(const Observable<T> &source, T onErrorJustReturn)
{
    return Driver<T>(source.catchErrorJustReturn(std::move(onErrorJustReturn)).observeOn(MainScheduler::instance()));
}

} // namespace rx
