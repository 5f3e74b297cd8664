#include "blurview.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace kestrune {

namespace {

// The capture is blurred at a quarter of its size: cheaper, and the
// scaling up smooths what the box blur leaves.
constexpr int downscale = 4;
constexpr int blurRadius = 3;
// How much white the light frost adds over the blurred picture; less over a
// dark picture, which would otherwise turn to a flat grey.
constexpr qreal frost = 0.45;
constexpr qreal darkFrost = 0.2;

// Blurs one row or column: `in` and `out` step by their strides, in pixels.
void boxBlurLine(const QRgb *in, int inStride, QRgb *out, int outStride, int length, int radius)
{
    const int window = 2 * radius + 1;
    int sum[4] = {0, 0, 0, 0};
    auto add = [&](QRgb p, int sign) {
        sum[0] += sign * qRed(p);
        sum[1] += sign * qGreen(p);
        sum[2] += sign * qBlue(p);
        sum[3] += sign * qAlpha(p);
    };
    auto at = [&](int i) { return in[std::clamp(i, 0, length - 1) * inStride]; };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    for (int i = 0; i < length; ++i) {
        out[i * outStride] = qRgba(sum[0] / window, sum[1] / window, sum[2] / window, sum[3] / window);
        add(at(i + radius + 1), 1);
        add(at(i - radius), -1);
    }
}

} // namespace

BlurView::BlurView(QWidget *parent, qreal alpha)
    : QWidget(parent)
    , m_alpha(std::clamp(alpha, 0.0, 1.0))
{
    setObjectName(QStringLiteral("BlurView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent) {
        setGeometry(parent->rect());
        // Drawn straight at the blur's size: a capture at full size, scaled
        // down, held the thread for frames as the ring opened on a tablet.
        const QSize full = (QSizeF(parent->size()) * parent->devicePixelRatioF()).toSize();
        const QSize small = (full / downscale).expandedTo(QSize(1, 1));
        QImage capture(small, QImage::Format_ARGB32_Premultiplied);
        capture.fill(Qt::transparent);
        {
            QPainter painter(&capture);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.scale(qreal(small.width()) / std::max(1, parent->width()),
                          qreal(small.height()) / std::max(1, parent->height()));
            parent->render(&painter, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
        }
        m_dark = capture.pixelColor(capture.width() / 2, capture.height() / 2).lightnessF() < 0.5;
        m_image = blurred(capture, blurRadius);
    }
}

QImage BlurView::blurred(const QImage &source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0 || image.isNull())
        return image;
    const int w = image.width();
    const int h = image.height();
    std::vector<QRgb> rows(std::size_t(w) * h);
    std::vector<QRgb> column(static_cast<std::size_t>(h));
    auto *pixels = reinterpret_cast<QRgb *>(image.bits());
    const int stride = int(image.bytesPerLine() / sizeof(QRgb));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxBlurLine(pixels + y * stride, 1, rows.data() + std::size_t(y) * w, 1, w, radius);
        for (int x = 0; x < w; ++x) {
            boxBlurLine(rows.data() + x, w, column.data(), 1, h, radius);
            for (int y = 0; y < h; ++y)
                pixels[y * stride + x] = column[y];
        }
    }
    return image;
}

void BlurView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setOpacity(m_alpha);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_image);
    painter.fillRect(rect(), QColor(255, 255, 255, int(255 * (m_dark ? darkFrost : frost))));
}

} // namespace kestrune
