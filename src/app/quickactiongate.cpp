#include "quickactiongate.h"

#include <utility>

namespace kestrune {

QuickActionGate::QuickActionGate(rx::Scheduler &scheduler, std::chrono::milliseconds settle, Perform perform)
    : m_scheduler(scheduler)
    , m_settle(settle)
    , m_perform(std::move(perform))
{
}

QuickActionGate::~QuickActionGate()
{
    m_settling.dispose();
}

void QuickActionGate::request(const QString &type, Completion completion)
{
    if (m_busy) {
        m_pendingType = type;
        m_pendingWaiters.push_back(std::move(completion));
        return;
    }
    run(type, {std::move(completion)});
}

void QuickActionGate::run(const QString &type, std::vector<Completion> waiters)
{
    m_busy = true;
    m_perform(type, [this, waiters = std::move(waiters)](bool done) {
        for (const Completion &waiter : waiters)
            waiter(done);
        m_settling = m_scheduler.scheduleAfter(m_settle, [this] { open(); });
    });
}

void QuickActionGate::open()
{
    if (m_pendingWaiters.empty()) {
        m_busy = false;
        return;
    }
    run(std::exchange(m_pendingType, QString()), std::exchange(m_pendingWaiters, {}));
}

} // namespace kestrune
