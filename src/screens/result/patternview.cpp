#include "patternview.h"

#include "platform/resources/resources.h"

#include <QPainter>

namespace kestrune {

PatternView::PatternView(QWidget *parent)
    : QWidget(parent)
{
}

void PatternView::setPatternImageName(const QString &name)
{
    m_imageName = name;
    update();
}

void PatternView::paintEvent(QPaintEvent *)
{
    if (m_imageName.isEmpty() || height() <= 0)
        return;
    const QSizeF natural = Resources::imageSize(m_imageName);
    if (natural.isEmpty())
        return;
    QPainter painter(this);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSizeF tile(natural.width() * height() / natural.height(), height());
    const QPixmap pixmap = Resources::pixmap(m_imageName, tile, ratio);
    painter.drawTiledPixmap(rect(), pixmap);
}

} // namespace kestrune
