#pragma once

#include <QColor>
#include <QGraphicsEffect>
#include <QImage>
#include <QPointF>

namespace kestrune {

// A soft shadow under a widget: its shape, blurred, tinted and offset. The
// blurred shape is kept until the widget's picture changes, so a repaint only
// copies it; the toolkit's own shadow blurs again at every paint and hands
// large blurs to a thread pool of its own.
class ShadowEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    // offset and blurRadius in points; the color's alpha is the shadow's opacity.
    ShadowEffect(const QColor &color, QPointF offset, qreal blurRadius, QObject *parent = nullptr);

    QRectF boundingRectFor(const QRectF &rect) const override;

    // The shape's alpha blurred by a Gaussian of the radius (in pixels) and
    // tinted with the color; the picture grows by the blur on every side.
    static QImage shadowOf(const QImage &shape, const QColor &color, qreal blurRadius);

protected:
    void draw(QPainter *painter) override;
    void sourceChanged(ChangeFlags flags) override;

private:
    QColor m_color;
    QPointF m_offset;
    qreal m_blurRadius;
    qint64 m_sourceKey = 0;
    QImage m_shadow;
};

} // namespace kestrune
