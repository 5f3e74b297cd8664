#include "touchareafilter.h"

#include "button.h"

#include <QApplication>
#include <QMouseEvent>

#include <limits>

namespace kestrune {

TouchAreaFilter::TouchAreaFilter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

TouchAreaFilter::~TouchAreaFilter()
{
    qApp->removeEventFilter(this);
}

Button *TouchAreaFilter::buttonAt(const QPointF &globalPosition) const
{
    Button *best = nullptr;
    qreal bestDistance = std::numeric_limits<qreal>::max();
    const auto buttons = m_window->findChildren<Button *>();
    for (Button *button : buttons) {
        if (!button->isVisible() || !button->isEnabled())
            continue;
        const QPointF local = button->mapFromGlobal(globalPosition);
        if (!button->hitTest(local))
            continue;
        const QPointF offset = local - QRectF(button->rect()).center();
        const qreal distance = offset.manhattanLength();
        if (distance < bestDistance) {
            best = button;
            bestDistance = distance;
        }
    }
    return best;
}

void TouchAreaFilter::forward(QMouseEvent *event, Button *button)
{
    QMouseEvent moved(event->type(), button->mapFromGlobal(event->globalPosition()), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(), event->modifiers(),
                      event->pointingDevice());
    QCoreApplication::sendEvent(button, &moved);
}

bool TouchAreaFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !m_window || widget->window() != m_window || qobject_cast<QAbstractButton *>(widget))
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);

    if (type == QEvent::MouseButtonPress) {
        m_target = buttonAt(mouse->globalPosition());
        if (!m_target)
            return false;
        forward(mouse, m_target);
        return true;
    }
    if (!m_target)
        return false;
    forward(mouse, m_target);
    if (type == QEvent::MouseButtonRelease)
        m_target = nullptr;
    return true;
}

} // namespace kestrune
