#include "bulletview.h"

#include "platform/resources/resources.h"

#include <QPainter>
#include <QVariantAnimation>

namespace kestrune {

BulletView::BulletView(QWidget *parent)
    : QWidget(parent)
    , m_fade(new QVariantAnimation(this))
{
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
    connect(m_fade, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(m_fade, &QVariantAnimation::finished, this, &BulletView::finishTransition);
}

QString BulletView::imageName(DotState state)
{
    switch (state) {
    case DotState::bull:
        return QStringLiteral("Black");
    case DotState::cow:
        return QStringLiteral("White");
    case DotState::empty:
        break;
    }
    return QStringLiteral("Empty");
}

void BulletView::setState(DotState state)
{
    m_fade->stop();
    m_state = state;
    m_previous = state;
    update();
    finishTransition();
}

void BulletView::transition(DotState state, int durationMs, std::function<void()> completion)
{
    m_fade->stop();
    finishTransition();
    m_previous = m_state;
    m_state = state;
    m_completion = std::move(completion);
    m_fade->setDuration(durationMs);
    m_fade->start();
    update();
}

bool BulletView::isTransitioning() const
{
    return m_fade->state() == QAbstractAnimation::Running;
}

void BulletView::finishTransition()
{
    m_previous = m_state;
    update();
    // Taken out first: the completion may start the next transition.
    if (auto completion = std::exchange(m_completion, nullptr))
        completion();
}

void BulletView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF target(rect());
    if (isTransitioning()) {
        const qreal t = m_fade->currentValue().toReal();
        painter.setOpacity(1.0 - t);
        Resources::paint(painter, imageName(m_previous), target);
        painter.setOpacity(t);
    }
    Resources::paint(painter, imageName(m_state), target);
}

} // namespace kestrune
