#pragma once

#include "idletimer.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <functional>
#include <memory>

namespace kestrune {

// The idle timer of a desktop: while disabled, it holds an inhibition of the
// freedesktop screen saver (org.freedesktop.ScreenSaver on the session bus,
// Inhibit and UnInhibit with the cookie it returns), at the object path
// /org/freedesktop/ScreenSaver, or /ScreenSaver where only that one answers.
//
// Never waits for the bus: the calls are asynchronous and their replies come
// through the event loop. A release asked for before the cookie has come
// back is made when it comes, and so is one asked for by the destructor.
// Without a bus, or without the service on it, the flag still reads back
// and nothing else happens (one debug message says so).
// GUI thread only, with an event loop.
//
// Connecting to a bus waits for its answer (and may even start one), so a
// timer given a way to connect rather than a connection connects only when
// first disabled, on a worker thread; what is asked meanwhile is done once
// the bus is there.
class ScreenSaverIdleTimer final : public IdleTimer
{
    Q_DECLARE_TR_FUNCTIONS(ScreenSaverIdleTimer)

public:
    using ConnectBus = std::function<QDBusConnection()>;

    // The session bus, connected when first needed.
    ScreenSaverIdleTimer();
    // Calls connectBus on a worker thread when first disabled.
    explicit ScreenSaverIdleTimer(ConnectBus connectBus);
    explicit ScreenSaverIdleTimer(const QDBusConnection &bus);
    ~ScreenSaverIdleTimer() override;
    ScreenSaverIdleTimer(const ScreenSaverIdleTimer &) = delete;
    ScreenSaverIdleTimer &operator=(const ScreenSaverIdleTimer &) = delete;

    void setIdleTimerDisabled(bool disabled) override;
    bool isIdleTimerDisabled() const override;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace kestrune
