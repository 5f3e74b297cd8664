#pragma once

#include "rx/disposable.h"

#include <chrono>
#include <functional>

namespace kestrune {

// A repeating timer: the tick runs at once and then every interval, on the
// ticker's own thread (never the caller's), until the returned handle is
// disposed. Ticks of one registration never overlap.
//
// After dispose() returns no further tick of that registration starts. A
// tick that has already started may still be running: dispose() never waits
// for it, so it may be called from within the tick itself or while holding a
// lock the tick needs. The tick function is let go once it no longer runs.
class Ticker
{
public:
    virtual ~Ticker() = default;

    // Any thread.
    virtual rx::Disposable every(std::chrono::milliseconds interval, std::function<void()> tick) = 0;
};

} // namespace kestrune
