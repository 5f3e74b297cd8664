#include "shadoweffect.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kestrune {

namespace {

std::vector<float> gaussianKernel(qreal radius)
{
    // The radius reaches about two standard deviations, as a designer's
    // "blur 3" does: the shadow fades out at the radius, not beyond it.
    const double sigma = std::max(0.5, radius / 2.0);
    const int half = int(std::ceil(radius));
    std::vector<float> kernel(2 * half + 1);
    double sum = 0;
    for (int i = -half; i <= half; ++i)
        sum += kernel[i + half] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float &weight : kernel)
        weight = float(weight / sum);
    return kernel;
}

// Whether two pictures have one shape: the same size and the same alpha in
// every pixel, whatever their colours.
bool sameShape(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format() || a.devicePixelRatio() != b.devicePixelRatio())
        return false;
    if (!a.hasAlphaChannel())
        return true; // opaque: the shape is the rectangle
    if (a.format() != QImage::Format_ARGB32_Premultiplied && a.format() != QImage::Format_ARGB32)
        return a == b;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (qAlpha(p[x]) != qAlpha(q[x]))
                return false;
        }
    }
    return true;
}

} // namespace

ShadowEffect::ShadowEffect(const QColor &color, QPointF offset, qreal blurRadius, QObject *parent)
    : QGraphicsEffect(parent)
    , m_color(color)
    , m_offset(offset)
    , m_blurRadius(blurRadius)
{
}

QRectF ShadowEffect::boundingRectFor(const QRectF &rect) const
{
    const qreal grow = std::ceil(m_blurRadius);
    return rect.united(rect.translated(m_offset).adjusted(-grow, -grow, grow, grow));
}

QImage ShadowEffect::shadowOf(const QImage &shape, const QColor &color, qreal blurRadius)
{
    const std::vector<float> kernel = gaussianKernel(blurRadius);
    const int half = int(kernel.size() / 2);
    const QImage source = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width() + 2 * half;
    const int height = source.height() + 2 * half;

    // Alpha only, padded by the kernel so nothing is cut at the edges.
    std::vector<float> alpha(size_t(width) * height, 0.f);
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            alpha[size_t(y + half) * width + x + half] = float(qAlpha(line[x]));
    }
    // Rows of the padding are empty: only the shape's rows are blurred across.
    std::vector<float> across(alpha.size(), 0.f);
    for (int y = half; y < half + source.height(); ++y) {
        const float *in = alpha.data() + size_t(y) * width;
        float *out = across.data() + size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            const int from = std::max(-half, -x), to = std::min(half, width - 1 - x);
            float sum = 0;
            for (int k = from; k <= to; ++k)
                sum += kernel[k + half] * in[x + k];
            out[x] = sum;
        }
    }

    QImage shadow(width, height, QImage::Format_ARGB32_Premultiplied);
    const float opacity = float(color.alphaF());
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        const int from = std::max(-half, -y), to = std::min(half, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            float sum = 0;
            for (int k = from; k <= to; ++k)
                sum += kernel[k + half] * across[size_t(y + k) * width + x];
            const int a = std::clamp(int(sum * opacity + 0.5f), 0, 255);
            line[x] = qRgba(color.red() * a / 255, color.green() * a / 255, color.blue() * a / 255, a);
        }
    }
    shadow.setDevicePixelRatio(shape.devicePixelRatio());
    return shadow;
}

void ShadowEffect::draw(QPainter *painter)
{
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull())
        return;
    const qreal ratio = source.devicePixelRatio();
    // The source is drawn anew whenever the widget changes or moves; its
    // shape seldom does, and comparing costs far less than blurring.
    const QImage picture = source.toImage();
    if (m_shadow.isNull() || !sameShape(picture, m_shape)) {
        m_shadow = shadowOf(picture, m_color, m_blurRadius * ratio);
        m_shape = picture;
    }
    // The pixmap is in device coordinates: draw it, and its shadow, untransformed.
    const QTransform restore = painter->worldTransform();
    painter->setWorldTransform(QTransform());
    const qreal grow = std::ceil(m_blurRadius * ratio) / ratio;
    painter->drawImage(QPointF(offset) + m_offset - QPointF(grow, grow), m_shadow);
    painter->drawPixmap(offset, source);
    painter->setWorldTransform(restore);
}

} // namespace kestrune
