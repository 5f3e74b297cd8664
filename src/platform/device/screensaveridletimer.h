#pragma once

#include "idletimer.h"

#include <QCoreApplication>
#include <QDBusConnection>

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
class ScreenSaverIdleTimer final : public IdleTimer
{
    Q_DECLARE_TR_FUNCTIONS(ScreenSaverIdleTimer)

public:
    // The session bus.
    ScreenSaverIdleTimer();
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
