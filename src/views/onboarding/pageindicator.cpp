#include "pageindicator.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {
constexpr qreal fadedOpacity = 0.25;
constexpr int verticalRoom = 12;
} // namespace

PageIndicator::PageIndicator(QWidget *parent)
    : QWidget(parent)
    , m_currentColor(palette().color(QPalette::WindowText))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleDescription(tr("Swipe or use the arrow keys to turn the page"));
    updateAccessibleName();
}

void PageIndicator::setCount(int count)
{
    m_count = std::max(0, count);
    m_current = std::clamp(m_current, 0, std::max(0, m_count - 1));
    updateGeometry();
    updateAccessibleName();
    update();
}

void PageIndicator::setCurrentPage(int page)
{
    if (page < 0 || page >= m_count || page == m_current)
        return;
    m_current = page;
    updateAccessibleName();
    update();
}

void PageIndicator::setCurrentColor(const QColor &color)
{
    m_currentColor = color;
    update();
}

QSize PageIndicator::sizeHint() const
{
    const qreal width = m_count * dotSide + std::max(0, m_count - 1) * dotSpacing;
    return {int(std::ceil(width)), int(dotSide) + 2 * verticalRoom};
}

QSize PageIndicator::minimumSizeHint() const
{
    return sizeHint();
}

void PageIndicator::updateAccessibleName()
{
    const QString name = m_count > 0 ? tr("Page %1 of %2").arg(m_current + 1).arg(m_count) : QString();
    // Qt announces the new name, so a screen reader says which page is up.
    setAccessibleName(name);
}

void PageIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal width = m_count * dotSide + std::max(0, m_count - 1) * dotSpacing;
    qreal x = (this->width() - width) / 2;
    const qreal y = (height() - dotSide) / 2;
    for (int i = 0; i < m_count; ++i) {
        QColor color = m_currentColor;
        if (i != m_current)
            color.setAlphaF(float(color.alphaF() * fadedOpacity));
        painter.setBrush(color);
        painter.drawEllipse(QRectF(x, y, dotSide, dotSide));
        x += dotSide + dotSpacing;
    }
}

} // namespace kestrune
