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

void Disposable::dispose() const
{
    if (m_state->disposed.exchange(true))
        return;
    std::function<void()> action;
    {
        std::lock_guard lock(m_state->mutex);
        action.swap(m_state->action);
    }
    // Run outside the lock: the action may dispose other subscriptions or
    // release the object that owns this one.
    if (action)
        action();
}

bool Disposable::isDisposed() const
{
    return m_state->disposed.load();
}

void Disposable::disposed(DisposeBag &bag) const
{
    bag.insert(*this);
}

} // namespace rx
