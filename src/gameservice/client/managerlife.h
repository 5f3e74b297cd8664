#pragma once

#include <memory>
#include <shared_mutex>
#include <utility>

namespace kestrune {

// Lets answers that arrive after GameServiceManager has gone find out and
// drop themselves: every asynchronous entry point runs under a shared lock,
// and the manager's destructor takes it exclusively once (end()).
//
// The shared lock is held for the whole of the guarded call, so it is the
// outermost lock of the manager: a guarded call may take any other; end()
// holds no other.
class ManagerLife
{
public:
    template<typename F> auto guard(F f) const
    {
        return [state = m_state, f = std::move(f)](auto &&...args) {
            std::shared_lock lock(state->mutex);
            if (state->alive)
                f(std::forward<decltype(args)>(args)...);
        };
    }

    // Waits for the guarded calls under way; later ones do nothing.
    void end()
    {
        std::unique_lock lock(m_state->mutex);
        m_state->alive = false;
    }

private:
    struct State
    {
        std::shared_mutex mutex;
        bool alive = true;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace kestrune
