#include "onboardingbutton.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrune {

OnboardingButton::OnboardingButton(QWidget *parent)
    : Button(parent)
{
}

void OnboardingButton::setTintColor(const QColor &color)
{
    m_tintColor = color;
    update();
}

void OnboardingButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(alpha());
    const qreal radius = height() / 2.0;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), radius, radius);
    painter.fillPath(shape, m_tintColor);
    if (isDown())
        painter.fillPath(shape, QColor(0, 0, 0, 40));
    paintContent(painter);
}

} // namespace kestrune
