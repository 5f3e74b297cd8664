#pragma once

#include <thread>

namespace kestrune {

// Start-up work that the first screen needs and that can run on another core
// while the application object connects to the display: the system's font
// configuration (read from its caches, a few milliseconds) and the colour
// catalogue. wait() before building the first screen; the destructor waits
// too.
class StartupPreload
{
public:
    StartupPreload();
    ~StartupPreload();
    StartupPreload(const StartupPreload &) = delete;
    StartupPreload &operator=(const StartupPreload &) = delete;

    void wait();

private:
    std::thread m_thread;
};

} // namespace kestrune
