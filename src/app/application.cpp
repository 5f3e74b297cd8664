#include "application.h"

#include "platform/stallwatch.h"

#include <QPointer>
#include <QThread>

namespace kestrune {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

Application::~Application() = default;

bool Application::notify(QObject *receiver, QEvent *event)
{
    if (!m_watch || QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    // A receiver may go in its own event (a deferred delete, a close):
    // it is described only while it is still there.
    const QPointer<QObject> alive(receiver);
    const QEvent::Type type = event->type();
    m_watch->begin();
    const bool handled = QApplication::notify(receiver, event);
    m_watch->end(alive.data(), type);
    return handled;
}

} // namespace kestrune
