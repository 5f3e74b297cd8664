#include "ripplebutton.h"

#include "platform/resources/resources.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <cmath>

namespace kestrune {

RippleButton::RippleButton(QWidget *parent)
    : Button(parent)
    , m_ripple(new QVariantAnimation(this))
{
    m_ripple->setStartValue(0.0);
    m_ripple->setEndValue(1.0);
    m_ripple->setDuration(rippleDurationMs);
    m_ripple->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_ripple, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(m_ripple, &QVariantAnimation::finished, this, qOverload<>(&QWidget::update));
}

bool RippleButton::isRippling() const
{
    return m_ripple->state() == QAbstractAnimation::Running;
}

void RippleButton::mousePressEvent(QMouseEvent *event)
{
    Button::mousePressEvent(event);
    if (!isEnabled() || !isDown())
        return;
    m_origin = event->position();
    m_ripple->stop();
    m_ripple->start();
}

void RippleButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(alpha());
    paintBackground(painter);
    if (isRippling()) {
        const qreal t = m_ripple->currentValue().toReal();
        const QRectF bounds(rect());
        const qreal reach = std::hypot(bounds.width(), bounds.height());
        QColor ink = Resources::color(QStringLiteral("accent"));
        ink.setAlphaF(0.22 * (1.0 - t));
        painter.save();
        painter.setClipRect(bounds);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(m_origin, reach * t, reach * t);
        painter.restore();
    }
    paintContent(painter);
    paintFocusIndicator(painter);
}

} // namespace kestrune
