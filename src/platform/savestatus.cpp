#include "savestatus.h"

namespace kestrune {

SaveStatus::SaveStatus(QObject *parent)
    : QObject(parent)
{
}

void SaveStatus::report(Failure failure)
{
    // Delivered in order through the event loop; only a change is news. The
    // check runs on the receiving side so that no state crosses threads.
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
            if (failure == m_delivered)
                return;
            m_delivered = failure;
            emit changed(failure);
        },
        Qt::QueuedConnection);
}

QString SaveStatus::message(Failure failure)
{
    switch (failure) {
    case Failure::none:
        return tr("Kestrune saves your games again");
    case Failure::diskFull:
        return tr("Kestrune cannot save your games: the disk is full");
    case Failure::other:
        break;
    }
    return tr("Kestrune cannot save your games: writing fails");
}

} // namespace kestrune
