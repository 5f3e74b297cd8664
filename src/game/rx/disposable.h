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
