#include "serialqueue.h"

#include <QThreadPool>

namespace kestrune {

SerialQueue::SerialQueue(const QString &label)
    : m_label(label)
    , m_pool(std::make_unique<QThreadPool>())
{
    // One thread: QThreadPool then runs tasks strictly in order.
    m_pool->setMaxThreadCount(1);
    m_pool->setObjectName(label);
}

SerialQueue::~SerialQueue()
{
    m_pool->waitForDone();
}

void SerialQueue::async(std::function<void()> task)
{
    m_pool->start(std::move(task));
}

void SerialQueue::waitForIdle()
{
    m_pool->waitForDone();
}

} // namespace kestrune
