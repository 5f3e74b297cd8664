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
    UpdateHandler handler;
    {
        // Posting under the lock keeps the queue alive until the task is queued.
        std::lock_guard lock(m_mutex);
        if (!m_handler)
            return;
        if (m_queue) {
            m_queue->async([handler = m_handler, status] { handler(status); });
            return;
        }
        handler = m_handler;
    }
    // Without a queue the handler runs here, outside the lock, so that it
    // may set a handler or a queue itself.
    handler(status);
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
