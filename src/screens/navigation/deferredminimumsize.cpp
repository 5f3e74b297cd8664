#include "deferredminimumsize.h"

#include <QResizeEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace kestrune {

namespace {

const char *const pendingName = "DeferredMinimumSize";

} // namespace

void DeferredMinimumSize::apply(QWidget *window, QSize size, QSize minimum)
{
    delete window->findChild<DeferredMinimumSize *>(QLatin1String(pendingName), Qt::FindDirectChildrenOnly);
    // A window not on screen has no window manager to race: its size hints
    // go out when it is shown.
    if (window->isVisible() && window->windowHandle())
        new DeferredMinimumSize(window, size, minimum);
    else
        window->setMinimumSize(minimum);
}

DeferredMinimumSize::DeferredMinimumSize(QWidget *window, QSize size, QSize minimum)
    : QObject(window)
    , m_size(size)
    , m_minimum(minimum)
{
    setObjectName(QLatin1String(pendingName));
    if (QWindow *handle = window->windowHandle())
        handle->installEventFilter(this);
    startTimer(fallbackMs);
}

bool DeferredMinimumSize::eventFilter(QObject *watched, QEvent *event)
{
    // The window system's own report, which the window hears after the
    // widget has taken the size.
    if (event->type() == QEvent::Resize && static_cast<QResizeEvent *>(event)->size() == m_size)
        finish();
    return QObject::eventFilter(watched, event);
}

void DeferredMinimumSize::timerEvent(QTimerEvent *)
{
    finish();
}

void DeferredMinimumSize::finish()
{
    if (std::exchange(m_done, true))
        return;
    auto *window = static_cast<QWidget *>(parent());
    if (QWindow *handle = window->windowHandle())
        handle->removeEventFilter(this);
    window->setMinimumSize(m_minimum);
    deleteLater();
}

} // namespace kestrune
