#pragma once

#include "disposable.h"
#include "observer.h"
#include "scheduler.h"
#include "sink.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

namespace rx {

template<typename T> class Observable;

namespace detail {
template<typename> struct IsObservable : std::false_type
{
};
template<typename U> struct IsObservable<Observable<U>> : std::true_type
{
    using Element = U;
};
} // namespace detail

// A cold description of a stream: nothing happens until somebody subscribes,
// and each subscription runs the producer anew. Delivery is synchronous on the
// producer's thread unless an operator says otherwise (observeOn, delay).
template<typename T> class Observable
{
public:
    using Element = T;
    using Producer = std::function<Disposable(const Observer<T> &)>;

    explicit Observable(Producer producer)
        : m_producer(std::make_shared<Producer>(std::move(producer)))
    {
    }

    // -- creation ---------------------------------------------------------

    // The producer gets an observer and returns what cancels it; the cancel
    // action runs when the subscription ends, however it ends.
    static Observable create(Producer producer) { return Observable(std::move(producer)); }

    static Observable just(T value)
    {
        return Observable([value](const Observer<T> &o) {
            if (o.onNext)
                o.onNext(value);
            if (o.onCompleted)
                o.onCompleted();
            return Disposable();
        });
    }

    static Observable empty()
    {
        return Observable([](const Observer<T> &o) {
            if (o.onCompleted)
                o.onCompleted();
            return Disposable();
        });
    }

    static Observable error(std::exception_ptr e)
    {
        return Observable([e](const Observer<T> &o) {
            if (o.onError)
                o.onError(e);
            return Disposable();
        });
    }

    // Emits the values in order, then completes (the current-thread form).
    static Observable from(std::vector<T> values)
    {
        return Observable([values = std::move(values)](const Observer<T> &o) {
            for (const T &v : values) {
                if (o.onNext)
                    o.onNext(v);
            }
            if (o.onCompleted)
                o.onCompleted();
            return Disposable();
        });
    }

    // All events of all sources, as they come; completes when all have.
    static Observable merge(std::vector<Observable> sources)
    {
        return Observable<Observable>::from(std::move(sources)).flatMap([](const Observable &o) { return o; });
    }

    // -- subscription -----------------------------------------------------

    Disposable subscribe(Observer<T> observer, std::function<void()> onDisposed = {}) const
    {
        auto sink = std::make_shared<detail::Sink<T>>(std::move(observer), std::move(onDisposed));
        Disposable handle = sink->disposable();
        sink->setUpstream((*m_producer)(sink->forwarder()));
        return handle;
    }

    Disposable subscribe(std::function<void(const T &)> onNext, std::function<void(std::exception_ptr)> onError = {},
                         std::function<void()> onCompleted = {}, std::function<void()> onDisposed = {}) const
    {
        return subscribe(Observer<T>{std::move(onNext), std::move(onError), std::move(onCompleted)},
                         std::move(onDisposed));
    }

    // -- operators --------------------------------------------------------

    template<typename F, typename U = std::invoke_result_t<F, const T &>> Observable<U> map(F transform) const
    {
        auto self = *this;
        return Observable<U>([self, transform](const Observer<U> &o) {
            return self.subscribe(Observer<T>{[o, transform](const T &v) {
                                                  if (o.onNext)
                                                      o.onNext(transform(v));
                                              },
                                              o.onError, o.onCompleted});
        });
    }

    template<typename F> Observable filter(F predicate) const
    {
        auto self = *this;
        return Observable([self, predicate](const Observer<T> &o) {
            return self.subscribe(Observer<T>{[o, predicate](const T &v) {
                                                  if (predicate(v) && o.onNext)
                                                      o.onNext(v);
                                              },
                                              o.onError, o.onCompleted});
        });
    }

    // The first count events, then completion; the source is let go at once.
    Observable take(std::size_t count) const
    {
        auto self = *this;
        return Observable([self, count](const Observer<T> &o) {
            if (count == 0) {
                if (o.onCompleted)
                    o.onCompleted();
                return Disposable();
            }
            auto seen = std::make_shared<std::size_t>(0);
            return self.subscribe(Observer<T>{[o, seen, count](const T &v) {
                                                  if (*seen >= count)
                                                      return;
                                                  ++*seen;
                                                  if (o.onNext)
                                                      o.onNext(v);
                                                  if (*seen == count && o.onCompleted)
                                                      o.onCompleted(); // the downstream sink then disposes the source
                                              },
                                              o.onError, o.onCompleted});
        });
    }

    // Every value becomes a stream; their events are merged. Completes when the
    // outer stream and every inner one have completed; the first error ends all.
    // Sources may emit on different threads: events reach the observer one at a
    // time, each source's in its own order. A handler may emit into the merged
    // sources again on its own thread, but must not wait for another thread
    // that emits into them.
    template<typename F, typename Inner = std::invoke_result_t<F, const T &>,
             typename U = typename detail::IsObservable<Inner>::Element>
    Observable<U> flatMap(F transform) const
    {
        auto self = *this;
        return Observable<U>([self, transform](const Observer<U> &o) {
            struct State
            {
                std::mutex mutex;
                std::vector<Disposable> inner;
                int active = 1; // the outer stream counts as one
                // Held while the observer runs; recursive for a handler that
                // emits into the merged sources synchronously.
                std::recursive_mutex delivery;
            };
            auto state = std::make_shared<State>();
            Observer<U> serial{[state, o](const U &v) {
                                   std::lock_guard lock(state->delivery);
                                   if (o.onNext)
                                       o.onNext(v);
                               },
                               [state, o](std::exception_ptr e) {
                                   std::lock_guard lock(state->delivery);
                                   if (o.onError)
                                       o.onError(e);
                               },
                               [state, o] {
                                   std::lock_guard lock(state->delivery);
                                   if (o.onCompleted)
                                       o.onCompleted();
                               }};
            auto release = [state, serial] {
                bool done;
                {
                    std::lock_guard lock(state->mutex);
                    done = --state->active == 0;
                }
                if (done)
                    serial.onCompleted();
            };
            Disposable outer = self.subscribe(Observer<T>{
                [state, serial, transform, release](const T &v) {
                    {
                        std::lock_guard lock(state->mutex);
                        ++state->active;
                    }
                    Disposable d = transform(v).subscribe(Observer<U>{serial.onNext, serial.onError, release});
                    std::lock_guard lock(state->mutex);
                    std::erase_if(state->inner, [](const Disposable &x) { return x.isDisposed(); });
                    if (!d.isDisposed())
                        state->inner.push_back(d);
                },
                serial.onError, release});
            return Disposable([state, outer] {
                outer.dispose();
                std::vector<Disposable> inner;
                {
                    std::lock_guard lock(state->mutex);
                    inner.swap(state->inner);
                }
                for (const Disposable &d : inner)
                    d.dispose();
            });
        });
    }

    // For a stream of streams: merge them all.
    auto merge() const requires detail::IsObservable<T>::value
    {
        return flatMap([](const T &inner) { return inner; });
    }

    // Side effects for each event, without changing the stream (`do`).
    Observable doOn(std::function<void(const T &)> onNext, std::function<void()> onCompleted = {}) const
    {
        auto self = *this;
        return Observable([self, onNext, onCompleted](const Observer<T> &o) {
            return self.subscribe(Observer<T>{[o, onNext](const T &v) {
                                                  if (onNext)
                                                      onNext(v);
                                                  if (o.onNext)
                                                      o.onNext(v);
                                              },
                                              o.onError,
                                              [o, onCompleted] {
                                                  if (onCompleted)
                                                      onCompleted();
                                                  if (o.onCompleted)
                                                      o.onCompleted();
                                              }});
        });
    }

    // An error becomes the given value followed by completion.
    Observable catchErrorJustReturn(T fallback) const
    {
        auto self = *this;
        return Observable([self, fallback](const Observer<T> &o) {
            return self.subscribe(Observer<T>{o.onNext,
                                              [o, fallback](std::exception_ptr) {
                                                  if (o.onNext)
                                                      o.onNext(fallback);
                                                  if (o.onCompleted)
                                                      o.onCompleted();
                                              },
                                              o.onCompleted});
        });
    }

    // Delivers every event through the scheduler, one at a time and in the
    // order the source emitted them, from whichever threads it emits on. An
    // event is delivered at once when the caller is on the scheduler's thread
    // and no earlier event of this subscription is still waiting; otherwise it
    // waits behind them. An event emitted by a handler of this subscription
    // follows once that handler has returned. Nothing is delivered after a
    // disposal on the scheduler's thread; for one on another thread, see
    // Disposable.
    Observable observeOn(Scheduler &scheduler) const
    {
        auto self = *this;
        Scheduler *s = &scheduler;
        return Observable([self, s](const Observer<T> &o) {
            struct State
            {
                std::mutex mutex;
                std::deque<std::function<void()>> queue;
                bool draining = false; // a drain is scheduled or running
                bool alive = true;
            };
            auto state = std::make_shared<State>();
            auto drain = [state] {
                for (;;) {
                    std::function<void()> next;
                    {
                        std::lock_guard lock(state->mutex);
                        if (!state->alive || state->queue.empty()) {
                            state->draining = false;
                            return;
                        }
                        next = std::move(state->queue.front());
                        state->queue.pop_front();
                    }
                    next();
                }
            };
            auto enqueue = [state, s, drain](std::function<void()> f) {
                {
                    std::lock_guard lock(state->mutex);
                    if (!state->alive)
                        return;
                    state->queue.push_back(std::move(f));
                    if (state->draining)
                        return; // the drain under way picks it up, in order
                    state->draining = true;
                }
                s->schedule(drain);
            };
            Disposable d = self.subscribe(Observer<T>{[o, enqueue](const T &v) {
                                                          enqueue([o, v] {
                                                              if (o.onNext)
                                                                  o.onNext(v);
                                                          });
                                                      },
                                                      [o, enqueue](std::exception_ptr e) {
                                                          enqueue([o, e] {
                                                              if (o.onError)
                                                                  o.onError(e);
                                                          });
                                                      },
                                                      [o, enqueue] {
                                                          enqueue([o] {
                                                              if (o.onCompleted)
                                                                  o.onCompleted();
                                                          });
                                                      }});
            return Disposable([state, d] {
                std::deque<std::function<void()>> dropped;
                {
                    std::lock_guard lock(state->mutex);
                    state->alive = false;
                    dropped.swap(state->queue);
                }
                d.dispose();
            });
        });
    }

    // Shifts every next and completion event by the delay, in order, on the
    // scheduler. An error is passed on at once. Pending events are dropped when
    // the subscription ends (from another thread than the scheduler's, see
    // Disposable); a timer is let go as soon as it has fired.
    Observable delay(std::chrono::milliseconds by, Scheduler &scheduler) const
    {
        auto self = *this;
        Scheduler *s = &scheduler;
        return Observable([self, s, by](const Observer<T> &o) {
            struct State
            {
                std::mutex mutex;
                std::map<std::uint64_t, Disposable> pending; // timers not yet fired
                std::uint64_t nextId = 0;
                bool alive = true;
            };
            auto state = std::make_shared<State>();
            auto later = [state, s, by](std::function<void()> f) {
                std::uint64_t id;
                {
                    std::lock_guard lock(state->mutex);
                    if (!state->alive)
                        return;
                    id = state->nextId++;
                    state->pending.emplace(id, Disposable());
                }
                // Not under the lock: a scheduler may run the task before returning.
                Disposable timer = s->scheduleAfter(by, [state, id, f = std::move(f)] {
                    {
                        std::lock_guard lock(state->mutex);
                        if (!state->alive)
                            return;
                        state->pending.erase(id);
                    }
                    f();
                });
                bool cancel = false;
                {
                    std::lock_guard lock(state->mutex);
                    if (auto it = state->pending.find(id); it != state->pending.end())
                        it->second = timer;
                    else
                        cancel = !state->alive; // disposed meanwhile; otherwise it has fired
                }
                if (cancel)
                    timer.dispose();
            };
            Disposable d = self.subscribe(Observer<T>{[o, later](const T &v) {
                                                          later([o, v] {
                                                              if (o.onNext)
                                                                  o.onNext(v);
                                                          });
                                                      },
                                                      o.onError,
                                                      [o, later] {
                                                          later([o] {
                                                              if (o.onCompleted)
                                                                  o.onCompleted();
                                                          });
                                                      }});
            return Disposable([state, d] {
                std::map<std::uint64_t, Disposable> pending;
                {
                    std::lock_guard lock(state->mutex);
                    state->alive = false;
                    pending.swap(state->pending);
                }
                for (const auto &[id, timer] : pending)
                    timer.dispose();
                d.dispose();
            });
        });
    }

private:
    std::shared_ptr<Producer> m_producer;
};

} // namespace rx
