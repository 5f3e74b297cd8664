#include "delegatechannel.h"

#include "gameservicemanagerdelegate.h"

#include "platform/dispatch/dispatchqueue.h"

namespace kestrune {

struct DelegateChannel::Slot
{
    std::mutex mutex;
    std::weak_ptr<GameServiceManagerDelegate> delegate;
    GameServiceManager *owner = nullptr;

    void deliver(const Call &call)
    {
        std::shared_ptr<GameServiceManagerDelegate> d;
        GameServiceManager *m;
        {
            std::lock_guard lock(mutex);
            d = delegate.lock();
            m = owner;
        }
        if (d && m)
            call(*d, *m);
    }
};

DelegateChannel::DelegateChannel(GameServiceManager &owner)
    : m_slot(std::make_shared<Slot>())
{
    m_slot->owner = &owner;
}

std::shared_ptr<GameServiceManagerDelegate> DelegateChannel::delegate() const
{
    std::lock_guard lock(m_slot->mutex);
    return m_slot->delegate.lock();
}

void DelegateChannel::setDelegate(std::weak_ptr<GameServiceManagerDelegate> delegate)
{
    std::lock_guard lock(m_slot->mutex);
    m_slot->delegate = std::move(delegate);
}

void DelegateChannel::notifyOnMain(Call call) const
{
    DispatchQueue::main([slot = m_slot, call = std::move(call)] { slot->deliver(call); });
}

void DelegateChannel::notifyNow(const Call &call) const
{
    m_slot->deliver(call);
}

void DelegateChannel::sendError(const ServiceError &error) const
{
    notifyOnMain([error](GameServiceManagerDelegate &d, GameServiceManager &m) { d.error(m, error); });
}

void DelegateChannel::detach()
{
    std::lock_guard lock(m_slot->mutex);
    m_slot->owner = nullptr;
}

} // namespace kestrune
