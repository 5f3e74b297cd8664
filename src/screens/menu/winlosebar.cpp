#include "winlosebar.h"

#include "platform/resources/resources.h"

#include <QPainter>

#include <algorithm>

namespace kestrune {

WinLoseBar::WinLoseBar(QWidget *parent)
    : QWidget(parent)
{
}

QList<qreal> WinLoseBar::locationsFor(std::int64_t games, std::int64_t wins)
{
    if (games <= 0)
        return {};
    const double ratio = std::clamp(double(wins) / double(games), 0.0, 1.0);
    // All won or all lost shows one colour only: no blend at the edge.
    if (ratio == 0.0 || ratio == 1.0)
        return {0.0, ratio, ratio, 1.0};
    return {0.0, ratio - blendHalfWidth, ratio + blendHalfWidth, 1.0};
}

void WinLoseBar::setRecord(std::int64_t games, std::int64_t wins)
{
    m_locations = locationsFor(games, wins);
    update();
}

void WinLoseBar::paintEvent(QPaintEvent *)
{
    if (m_locations.isEmpty())
        return;
    QPainter painter(this);
    const QColor win = Resources::color(QStringLiteral("winBar"));
    const QColor lose = Resources::color(QStringLiteral("loseBar"));
    const qreal w = width();
    const qreal a = m_locations.at(1) * w;
    const qreal b = m_locations.at(2) * w;
    // Painted in three pieces: a gradient whose stops coincide would leave
    // its end colour on the last pixel column.
    painter.fillRect(QRectF(0, 0, a, height()), win);
    if (b > a) {
        QLinearGradient blend(a, 0, b, 0);
        blend.setColorAt(0, win);
        blend.setColorAt(1, lose);
        painter.fillRect(QRectF(a, 0, b - a, height()), blend);
    }
    painter.fillRect(QRectF(b, 0, w - b, height()), lose);
}

} // namespace kestrune
