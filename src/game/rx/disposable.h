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
class Disposable
{
public:
    Disposable();
    explicit Disposable(std::function<void()> onDispose);

    // Disposables::create(with:)
    static Disposable create(std::function<void()> onDispose);

    void dispose() const;
    bool isDisposed() const;

    // Keeps the subscription until the bag is destroyed.
    void disposed(DisposeBag &bag) const;

private:
    struct State
    {
        std::atomic<bool> disposed{false};
        std::mutex mutex;
        std::function<void()> action;
    };
    std::shared_ptr<State> m_state;
};

} // namespace rx
