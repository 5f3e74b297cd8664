#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>

namespace kestrune::test {

// Counts the events delivered to settings objects on the GUI thread while it
// lives (its automatic writes arrive as QEvent::UpdateRequest). Objects of
// other threads are not seen: the application's filters run for the GUI
// thread's objects only.
class SettingsEventCounter final : public QObject
{
public:
    SettingsEventCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~SettingsEventCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    // Delivers what is posted to the GUI thread, then says how many
    // settings events came.
    int count()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return m_count;
    }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (qobject_cast<QSettings *>(receiver))
            ++m_count;
        return QObject::eventFilter(receiver, event);
    }

private:
    int m_count = 0;
};

} // namespace kestrune::test
