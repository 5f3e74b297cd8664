#pragma once

#include "platform/network/networkpathmonitor.h"

#include <optional>

namespace kestrune::test {

// A network that comes and goes when the test says so.
class FakePathMonitor final : public NetworkPathMonitor
{
public:
    void start() override
    {
        m_started = true;
        if (statusAtStart)
            reportNow(*statusAtStart);
    }
    // Known at once when the monitor starts (before the first check).
    std::optional<Status> statusAtStart;
    bool isStarted() const { return m_started; }
    // Reported on the monitor's queue, like a real change.
    void setStatus(Status status) { report(status); }

private:
    bool m_started = false;
};

} // namespace kestrune::test
