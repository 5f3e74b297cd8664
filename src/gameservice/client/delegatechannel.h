#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace kestrune {

class GameServiceManager;
class GameServiceManagerDelegate;
struct ServiceError;

// The way from the manager's parts to its delegate: the weak delegate and
// the manager it is told about, read when a call is delivered. Copies share
// one slot, so a completion that outlives the manager may hold a copy and
// deliver nothing once the manager has detached.
//
// Any thread. Its lock is a leaf: the delegate is called outside it.
class DelegateChannel
{
public:
    using Call = std::function<void(GameServiceManagerDelegate &, GameServiceManager &)>;

    explicit DelegateChannel(GameServiceManager &owner);

    std::shared_ptr<GameServiceManagerDelegate> delegate() const;
    void setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate);

    // Delivers on the GUI thread, through its event loop.
    void notifyOnMain(Call call) const;
    // Delivers on the calling thread.
    void notifyNow(const Call &call) const;
    void sendError(const ServiceError &error) const;

    // The manager is going: nothing is delivered any more.
    void detach();

private:
    struct Slot;
    std::shared_ptr<Slot> m_slot;
};

} // namespace kestrune
