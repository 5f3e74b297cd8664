#include "screensaveridletimer.h"

#include "platform/dispatch/dispatchqueue.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>

#include <array>
#include <optional>

namespace kestrune {

namespace {

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString interface = QStringLiteral("org.freedesktop.ScreenSaver");
// The first is the standard one; some desktops offer only the short one.
const std::array<QString, 2> paths{QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")};

} // namespace

// Outlives the timer while an Inhibit call is on its way, so that its cookie
// can still be given back.
struct ScreenSaverIdleTimer::State
{
    std::optional<QDBusConnection> bus; // none until connected
    ConnectBus connectBus;              // set while no connection has been asked for
    bool disabled = false;              // what the owner asked for
    bool requesting = false;            // an Inhibit call is on its way
    std::optional<uint> cookie;
    std::size_t path = 0;
    bool toldUnavailable = false;

    void unavailable(const QString &why)
    {
        if (toldUnavailable)
            return;
        toldUnavailable = true;
        qDebug("screensaveridletimer: the screen may blank during a match: %s", qUtf8Printable(why));
    }

    // The connection is made on a worker and handed back to the GUI thread;
    // a timer gone by then is not woken.
    static void connect(const std::shared_ptr<State> &state)
    {
        DispatchQueue::global([connectBus = std::exchange(state->connectBus, {}), weak = std::weak_ptr<State>(state)] {
            QDBusConnection bus = connectBus();
            DispatchQueue::main([weak, bus] {
                const std::shared_ptr<State> state = weak.lock();
                if (!state)
                    return;
                state->bus = bus;
                if (state->disabled)
                    inhibit(state);
            });
        });
    }

    static void inhibit(const std::shared_ptr<State> &state)
    {
        if (state->requesting || state->cookie)
            return;
        if (!state->bus) {
            if (state->connectBus)
                connect(state);
            return;
        }
        if (!state->bus->isConnected()) {
            state->unavailable(QStringLiteral("no session bus"));
            return;
        }
        QString app = QCoreApplication::applicationName();
        if (app.isEmpty())
            app = QStringLiteral("Kestrune");
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, paths.at(state->path), interface, QStringLiteral("Inhibit"));
        //: Why the screen saver waits, as the desktop may show it
        call << app << tr("A match is being played");
        state->requesting = true;
        auto *watcher = new QDBusPendingCallWatcher(state->bus->asyncCall(call));
        QObject::connect(
            watcher, &QDBusPendingCallWatcher::finished, watcher, [state](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                state->requesting = false;
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    const QDBusError::ErrorType type = reply.error().type();
                    const bool wrongPath = type == QDBusError::UnknownObject || type == QDBusError::UnknownMethod
                                           || type == QDBusError::UnknownInterface;
                    if (wrongPath && state->path + 1 < paths.size()) {
                        ++state->path;
                        if (state->disabled)
                            inhibit(state);
                        return;
                    }
                    state->unavailable(reply.error().message());
                    return;
                }
                state->cookie = reply.value();
                if (!state->disabled)
                    release(*state);
            });
    }

    static void release(State &state)
    {
        if (!state.cookie)
            return;
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, paths.at(state.path), interface, QStringLiteral("UnInhibit"));
        call << *state.cookie;
        state.cookie.reset();
        // Nothing to do with the answer: a cookie the desktop no longer knows
        // is released all the same.
        call.setAutoStartService(false);
        state.bus->send(call);
    }
};

ScreenSaverIdleTimer::ScreenSaverIdleTimer()
    : ScreenSaverIdleTimer([] { return QDBusConnection::sessionBus(); })
{
}

ScreenSaverIdleTimer::ScreenSaverIdleTimer(ConnectBus connectBus)
    : m_state(std::make_shared<State>())
{
    m_state->connectBus = std::move(connectBus);
}

ScreenSaverIdleTimer::ScreenSaverIdleTimer(const QDBusConnection &bus)
    : m_state(std::make_shared<State>())
{
    m_state->bus = bus;
}

ScreenSaverIdleTimer::~ScreenSaverIdleTimer()
{
    setIdleTimerDisabled(false);
}

void ScreenSaverIdleTimer::setIdleTimerDisabled(bool disabled)
{
    m_state->disabled = disabled;
    if (disabled)
        State::inhibit(m_state);
    else
        State::release(*m_state);
}

bool ScreenSaverIdleTimer::isIdleTimerDisabled() const
{
    return m_state->disabled;
}

} // namespace kestrune
