#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace rx {

class DisposeBag;

// A handle that ends one subscription. Copies share the same subscription.
// dispose() runs the end action at most once, from any thread, and is safe
// after the source has gone; a default-constructed handle is already disposed.
// A subscription that ends on its own (completion, error) reports itself
// disposed too, so holders such as a DisposeBag can let it go.
//
// What disposal stops depends on the thread. From the thread that delivers
// the events (the GUI thread, for a Driver) or from inside a handler, it is
// at once: no further event reaches a handler. From another thread it stops
// every event not yet on its way to a handler, but one that a thread is
// delivering at that moment (at most one per delivering thread) may still
// reach the handler just after dispose() returns: dispose() never waits for
// a delivery, so that it may be called while holding a lock a handler needs.
// The handlers are kept alive for such a late event; whatever they point to
// must be too, or be reached through a weak reference.
class Disposable
{
    struct State;

public:
    // Refers to a handle without keeping it (or what its action holds) alive.
    class Weak
    {
    public:
        Weak() = default;
        // Disposes the handle if it still exists.
        void dispose() const;

    private:
        friend class Disposable;
        std::weak_ptr<State> m_state;
    };

    Disposable();
    explicit Disposable(std::function<void()> onDispose);

    // Disposables::create(with:)
    static Disposable create(std::function<void()> onDispose);

    void dispose() const;
    bool isDisposed() const;
    Weak weak() const;

    // Keeps the subscription until the bag is destroyed or the subscription ends.
    void disposed(DisposeBag &bag) const;

private:
    struct State
    {
        std::atomic<bool> disposed{false};
        std::mutex mutex;
        std::function<void()> action;

        void dispose();
    };
    std::shared_ptr<State> m_state;
};

} // namespace rx
