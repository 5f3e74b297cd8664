#pragma once

#include <mutex>

#include <functional>

namespace kestrune {

class SerialQueue;

// Watches the network path and reports every change of its status to one
// update handler, on the queue it was given. Set the queue and the handler,
// then start(); the first report follows soon after start, never inside it.
class NetworkPathMonitor
{
public:
    enum class Status { Invalid = 0, Satisfied = 1, Unsatisfied = 2, RequiresConnection = 3 };
    using UpdateHandler = std::function<void(Status)>;

    virtual ~NetworkPathMonitor() = default;

    // The queue must stay alive while it is set; clear it (and the handler)
    // before destroying the queue. Any thread.
    void setQueue(SerialQueue *queue);
    void setUpdateHandler(UpdateHandler handler);

    // Starts watching; called once, on the GUI thread.
    virtual void start() = 0;

protected:
    // Posts the status to the handler on the queue (at once without a queue).
    void report(Status status) const;
    // Calls the handler on the calling thread; for a monitor that knows the
    // status while it starts.
    void reportNow(Status status) const;

private:
    mutable std::mutex m_mutex;
    SerialQueue *m_queue = nullptr;
    UpdateHandler m_handler;
};

} // namespace kestrune
