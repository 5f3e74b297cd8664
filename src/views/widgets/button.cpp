#include "button.h"

#include "platform/resources/resources.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kestrune {

Button::Button(QWidget *parent)
    : QPushButton(parent)
{
    setFlat(true);
    setFocusPolicy(Qt::TabFocus);
}

Button::Button(const QString &title, QWidget *parent)
    : Button(parent)
{
    setText(title);
}

void Button::setBackgroundColorNames(const QString &normal, const QString &disabled)
{
    m_normalColorName = normal;
    m_disabledColorName = disabled;
    update();
}

void Button::setImageName(const QString &name)
{
    m_imageName = name;
    update();
}

void Button::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    update();
}

void Button::setCornerRadius(qreal radius)
{
    m_cornerRadius = radius;
    update();
}

void Button::setAlpha(qreal alpha)
{
    m_alpha = std::clamp(alpha, 0.0, 1.0);
    update();
}

QRectF Button::touchArea(const QRectF &bounds)
{
    const qreal dx = std::max(0.0, minimumTouchSide - bounds.width()) / 2;
    const qreal dy = std::max(0.0, minimumTouchSide - bounds.height()) / 2;
    return bounds.adjusted(-dx, -dy, dx, dy);
}

bool Button::hitTest(const QPointF &point) const
{
    if (isHidden() || testAttribute(Qt::WA_TransparentForMouseEvents) || m_alpha < 0.01)
        return false;
    // Inclusive of the far edges, as a point on the border still touches.
    const QRectF area = touchArea(QRectF(rect()));
    return point.x() >= area.left() && point.x() <= area.right() && point.y() >= area.top()
           && point.y() <= area.bottom();
}

bool Button::hitButton(const QPoint &pos) const
{
    return hitTest(QPointF(pos));
}

void Button::paintBackground(QPainter &painter)
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
    const QString name = isEnabled() ? m_normalColorName : m_disabledColorName;
    if (!name.isEmpty())
        painter.fillPath(shape, Resources::color(name));
    if (isDown()) {
        QColor shade = Resources::color(QStringLiteral("label"));
        shade.setAlphaF(0.06f);
        painter.fillPath(shape, shade);
    }
}

void Button::paintContent(QPainter &painter)
{
    const qreal contentOpacity = isEnabled() ? 1.0 : 0.3;
    painter.save();
    painter.setOpacity(painter.opacity() * contentOpacity);
    if (!m_imageName.isEmpty()) {
        const QSize side = iconSize();
        QRectF target(QPointF(0, 0), QSizeF(side));
        target.moveCenter(QRectF(rect()).center());
        Resources::paint(painter, m_imageName, target);
    }
    if (!text().isEmpty()) {
        painter.setFont(font());
        painter.setPen(m_titleColor.isValid() ? m_titleColor : palette().color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
    painter.restore();
}

void Button::paintFocusIndicator(QPainter &painter)
{
    if (!hasFocus())
        return;
    painter.save();
    painter.setOpacity(1.0);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = std::max(0.0, m_cornerRadius - 1.5);
    painter.setPen(QPen(Resources::color(QStringLiteral("accent")), 3));
    painter.drawRoundedRect(outer, radius, radius);
    const QRectF inner = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(Resources::color(QStringLiteral("systemBackground")), 1.5));
    painter.drawRoundedRect(inner, std::max(0.0, radius - 2.5), std::max(0.0, radius - 2.5));
    painter.restore();
}

void Button::keyPressEvent(QKeyEvent *event)
{
    // QPushButton takes Return only inside a dialog; ours take it anywhere.
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (activates && plain && isEnabled()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Button::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_alpha);
    paintBackground(painter);
    paintContent(painter);
    paintFocusIndicator(painter);
}

} // namespace kestrune
