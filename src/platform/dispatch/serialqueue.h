#pragma once

#include <QString>

#include <functional>
#include <memory>

class QThreadPool;

namespace kestrune {

// A queue that runs its tasks one after another, in the order posted, on a
// worker thread of its own. Destroying it waits for the tasks already posted.
class SerialQueue
{
public:
    explicit SerialQueue(const QString &label);
    ~SerialQueue();
    SerialQueue(const SerialQueue &) = delete;
    SerialQueue &operator=(const SerialQueue &) = delete;

    QString label() const { return m_label; }

    // Any thread.
    void async(std::function<void()> task);

    // Blocks until every task posted so far has run.
    void waitForIdle();

private:
    QString m_label;
    std::unique_ptr<QThreadPool> m_pool;
};

} // namespace kestrune
