#include "imagebutton.h"

#include <QPainter>
#include <QSizePolicy>

#include <cmath>

namespace kestrune {

ImageButton::ImageButton(QWidget *parent)
    : QAbstractButton(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::setImage(const QImage &image)
{
    m_image = image;
    updateGeometry();
    update();
}

qreal ImageButton::aspectRatio() const
{
    if (m_image.isNull() || m_image.width() == 0)
        return 0;
    return qreal(m_image.height()) / m_image.width();
}

int ImageButton::heightForWidth(int width) const
{
    return int(std::lround(width * aspectRatio()));
}

QSize ImageButton::sizeHint() const
{
    const QSizeF points = QSizeF(m_image.size()) / (m_image.isNull() ? 1.0 : m_image.devicePixelRatio());
    return points.toSize();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (isDown())
        painter.setOpacity(0.85);
    // Fit inside, centred, should the layout give a shape other than the image's.
    QSizeF size = QSizeF(m_image.size()).scaled(QSizeF(this->size()), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(QRectF(rect()).center());
    painter.drawImage(target, m_image);
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

} // namespace kestrune
