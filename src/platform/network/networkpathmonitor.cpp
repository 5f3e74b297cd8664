#include "networkpathmonitor.h"

#include "platform/dispatch/serialqueue.h"

namespace kestrune {

void NetworkPathMonitor::setQueue(SerialQueue *queue)
{
    std::lock_guard lock(m_mutex);
    m_queue = queue;
}

void NetworkPathMonitor::setUpdateHandler(UpdateHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void NetworkPathMonitor::report(Status status) const
{
    // Posting under the lock keeps the queue alive until the task is queued.
    std::lock_guard lock(m_mutex);
    if (!m_handler)
        return;
    if (!m_queue) {
        m_handler(status);
        return;
    }
    m_queue->async([handler = m_handler, status] { handler(status); });
}

void NetworkPathMonitor::reportNow(Status status) const
{
    UpdateHandler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    if (handler)
        handler(status);
}

} // namespace kestrune
