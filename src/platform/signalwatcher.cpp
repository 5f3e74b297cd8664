#include "signalwatcher.h"

#include <QDebug>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrune {

namespace {

// [0] is written by the handler, [1] read by the event loop. Plain ints read
// by the handler: set before any handler is installed, cleared after all are gone.
int s_pair[2] = {-1, -1};
std::atomic<bool> s_active{false};

void onSignal(int signalNumber)
{
    // Only async-signal-safe calls here; errno belongs to the code interrupted.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pair (hundreds of signals unread) drops the byte: one is enough to quit.
    [[maybe_unused]] const ssize_t written = ::write(s_pair[0], &byte, 1);
    errno = savedErrno;
}

bool setHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action
    {};
    action.sa_handler = handler;
    ::sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the second signal is not caught, so it ends a stuck exit.
    action.sa_flags = handler == SIG_DFL ? 0 : SA_RESTART | SA_RESETHAND;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

} // namespace

SignalWatcher::SignalWatcher(std::initializer_list<int> signalNumbers, QObject *parent)
    : QObject(parent)
    , m_signals(signalNumbers)
{
    if (s_active.exchange(true)) {
        qWarning("SignalWatcher: only one watcher per process");
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pair) != 0) {
        qWarning("SignalWatcher: cannot make a socket pair: %s", std::strerror(errno));
        s_active = false;
        return;
    }
    // The handler must never block, whatever is waiting unread.
    ::fcntl(s_pair[0], F_SETFL, ::fcntl(s_pair[0], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(s_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::readSignals);
    for (int signalNumber : m_signals) {
        if (!setHandler(signalNumber, onSignal))
            qWarning("SignalWatcher: cannot catch signal %d: %s", signalNumber, std::strerror(errno));
    }
}

SignalWatcher::~SignalWatcher()
{
    if (!m_notifier)
        return;
    for (int signalNumber : m_signals)
        setHandler(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(s_pair[0]);
    ::close(s_pair[1]);
    s_pair[0] = s_pair[1] = -1;
    s_active = false;
}

void SignalWatcher::readSignals()
{
    unsigned char bytes[16];
    const ssize_t count = ::read(s_pair[1], bytes, sizeof bytes);
    for (ssize_t i = 0; i < count; ++i)
        emit received(bytes[i]);
}

} // namespace kestrune
