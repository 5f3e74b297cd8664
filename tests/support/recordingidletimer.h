#pragma once

#include "platform/device/idletimer.h"

#include <vector>

namespace kestrune::test {

// Keeps every value it was given, in order.
class RecordingIdleTimer final : public IdleTimer
{
public:
    void setIdleTimerDisabled(bool disabled) override
    {
        calls.push_back(disabled);
        m_disabled = disabled;
    }
    bool isIdleTimerDisabled() const override { return m_disabled; }

    std::vector<bool> calls;

private:
    bool m_disabled = false;
};

} // namespace kestrune::test
