#pragma once

#include "game/rx/disposable.h"
#include "game/rx/scheduler.h"

#include <QString>

#include <chrono>
#include <functional>
#include <vector>

namespace kestrune {

// Lets one quick action through at a time. An action is being carried out
// from its start until `settle` after it completed (the new screen is still
// coming in); requests that arrive meanwhile are coalesced into one, the
// latest type wins, and it runs once the gate opens. Each request is answered
// exactly once, a coalesced one with the answer of the action that stood for
// it. A flood of requests thus restarts the match at most twice. GUI thread only.
class QuickActionGate
{
public:
    using Completion = std::function<void(bool)>;
    // Carries out one action and answers through the completion, exactly once.
    using Perform = std::function<void(const QString &type, Completion completion)>;

    QuickActionGate(rx::Scheduler &scheduler, std::chrono::milliseconds settle, Perform perform);
    ~QuickActionGate();
    QuickActionGate(const QuickActionGate &) = delete;
    QuickActionGate &operator=(const QuickActionGate &) = delete;

    void request(const QString &type, Completion completion);
    bool isBusy() const { return m_busy; }

private:
    void run(const QString &type, std::vector<Completion> waiters);
    void open();

    rx::Scheduler &m_scheduler;
    std::chrono::milliseconds m_settle;
    Perform m_perform;
    bool m_busy = false;
    QString m_pendingType;
    std::vector<Completion> m_pendingWaiters;
    // Held so that the scheduler keeps the task.
    rx::Disposable m_settling;
};

} // namespace kestrune
