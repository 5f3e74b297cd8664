#include "gameservice/server/app/stopsignal.h"

#include <csignal>
#include <pthread.h>

namespace kestrune::server {

namespace {

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

void StopSignal::block()
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int StopSignal::wait()
{
    const sigset_t set = stopSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {}
    return signal;
}

} // namespace kestrune::server
