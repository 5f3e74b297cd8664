#pragma once

#include <QColor>
#include <QGraphicsEffect>
#include <QImage>
#include <QPointF>

namespace kestrune {

// A soft shadow under a widget: its shape, blurred, tinted and offset. The
// blurred shape is kept until the widget's shape (its picture's alpha)
// changes, so a repaint only copies it, whether the widget's colours or text
// changed or it moved; the toolkit's own shadow blurs again at every paint
// and hands large blurs to a thread pool of its own.
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

    // The shadow last drawn; null before the first paint.
    const QImage &shadow() const { return m_shadow; }

protected:
    void draw(QPainter *painter) override;

private:
    QColor m_color;
    QPointF m_offset;
    qreal m_blurRadius;
    QImage m_shape; // the picture the shadow was made from
    QImage m_shadow;
};

} // namespace kestrune
