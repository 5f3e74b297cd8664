#include "screenreserve.h"

#include "viewcontroller.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace kestrune {

ScreenReserve::ScreenReserve(Factory make, QObject *parent)
    : QObject(parent)
    , m_make(std::move(make))
{
}

ScreenReserve::~ScreenReserve()
{
    delete m_screen.data();
}

ViewController *ScreenReserve::take()
{
    ++m_generation;
    m_scheduled = false;
    m_nextStep = Step::make;
    if (ViewController *ready = m_screen.data()) {
        m_screen = nullptr;
        return ready;
    }
    return m_make ? m_make() : nullptr;
}

void ScreenReserve::prepare(QSize size)
{
    if (m_screen || m_scheduled || !m_make)
        return;
    m_size = size;
    m_nextStep = Step::make;
    scheduleStep();
}

void ScreenReserve::scheduleStep()
{
    // One step per event, so that a frame can come between them.
    m_scheduled = true;
    QTimer::singleShot(0, this, [this, generation = m_generation] {
        if (generation != m_generation)
            return;
        m_scheduled = false;
        step();
    });
}

void ScreenReserve::deliverPendingResizes(QWidget *screen)
{
    // Showing would send each widget its first resize, parents first. Sent
    // now, what fits itself to its size (text to a height) does so here
    // rather than in the event that shows the screen.
    // A handler may delete or make widgets; only those still there count.
    QList<QPointer<QWidget>> widgets{screen};
    for (QWidget *child : screen->findChildren<QWidget *>())
        widgets.append(child);
    for (const QPointer<QWidget> &widget : std::as_const(widgets)) {
        if (!widget || !widget->testAttribute(Qt::WA_PendingResizeEvent))
            continue;
        QResizeEvent resize(widget->size(), QSize());
        QCoreApplication::sendEvent(widget, &resize);
        widget->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
}

void ScreenReserve::step()
{
    switch (m_nextStep) {
    case Step::make:
        m_screen = m_make();
        if (!m_screen)
            return;
        m_nextStep = Step::polish;
        break;
    case Step::polish:
        if (!m_screen)
            return;
        // The style's look for every widget, which showing would give.
        m_screen->ensurePolished();
        m_nextStep = Step::layout;
        break;
    case Step::layout:
        if (!m_screen)
            return;
        m_screen->resize(m_size);
        if (QLayout *layout = m_screen->layout())
            layout->activate();
        deliverPendingResizes(m_screen);
        m_nextStep = Step::ready;
        return;
    case Step::ready:
        return;
    }
    scheduleStep();
}

} // namespace kestrune
