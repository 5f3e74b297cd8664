#pragma once

namespace kestrune::server {

// SIGTERM and SIGINT as a value to wait for instead of a handler that runs
// anywhere. block() must run in main before any thread starts, so that every
// thread inherits the mask and only wait() ever sees the signals; main then
// calls wait() and stops the server gracefully.
class StopSignal
{
public:
    static void block();
    // Blocks until SIGTERM or SIGINT arrives; returns its number.
    static int wait();
};

} // namespace kestrune::server
