#include "disposable.h"

#include "disposebag.h"

namespace rx {

Disposable::Disposable()
    : m_state(std::make_shared<State>())
{
    m_state->disposed = true;
}

Disposable::Disposable(std::function<void()> onDispose)
    : m_state(std::make_shared<State>())
{
    m_state->action = std::move(onDispose);
}

Disposable Disposable::create(std::function<void()> onDispose)
{
    return Disposable(std::move(onDispose));
}

void Disposable::State::dispose()
{
    if (disposed.exchange(true))
        return;
    std::function<void()> taken;
    {
        std::lock_guard lock(mutex);
        taken.swap(action);
    }
    // Run outside the lock: the action may dispose other subscriptions or
    // release the object that owns this one.
    if (taken)
        taken();
}

void Disposable::dispose() const
{
    m_state->dispose();
}

bool Disposable::isDisposed() const
{
    return m_state->disposed.load();
}

Disposable::Weak Disposable::weak() const
{
    Weak weak;
    weak.m_state = m_state;
    return weak;
}

void Disposable::Weak::dispose() const
{
    if (auto state = m_state.lock())
        state->dispose();
}

void Disposable::disposed(DisposeBag &bag) const
{
    bag.insert(*this);
}

} // namespace rx
