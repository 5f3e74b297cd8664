#pragma once

namespace kestrune {

// Whether the device may blank or lock the screen when nobody touches it.
// Disabled while a match waits for its next shot, so that a player who thinks
// does not lose the board. GUI thread only.
class IdleTimer
{
public:
    virtual ~IdleTimer() = default;

    // true: keep the screen on until false comes. Repeating a value changes nothing.
    virtual void setIdleTimerDisabled(bool disabled) = 0;
    virtual bool isIdleTimerDisabled() const = 0;
};

} // namespace kestrune
