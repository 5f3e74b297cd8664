#include "outlinelabel.h"

#include <QHash>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kestrune {

namespace {

// The pictures labels show now, by what they show (GUI thread only). Only
// labels hold them: a cache that kept them past their labels raised the
// program's peak memory by megabytes, for a few hundred kilobytes of them.
QHash<QString, std::weak_ptr<const OutlinedPicture>> &livePictures()
{
    static QHash<QString, std::weak_ptr<const OutlinedPicture>> pictures;
    return pictures;
}

} // namespace

struct OutlinedPicture
{
    QImage image;
    QPoint origin;
};

OutlineLabel::OutlineLabel(QWidget *parent)
    : QLabel(parent)
{
}

void OutlineLabel::setGradientPoints(QPointF start, QPointF end)
{
    m_startPoint = start;
    m_endPoint = end;
    update();
}

void OutlineLabel::setGradientColors(const QColor &start, const QColor &end)
{
    m_startColor = start;
    m_endColor = end;
    update();
}

void OutlineLabel::setOutline(const QColor &color, qreal width)
{
    m_outlineColor = color;
    m_outlineWidth = width;
    update();
}

void OutlineLabel::setLineSpacing(qreal spacing)
{
    m_lineSpacing = spacing;
    update();
}

QList<QPointF> OutlineLabel::baselines(const QStringList &lines, const QFontMetricsF &metrics, const QRectF &box) const
{
    const qreal lineHeight = metrics.height();
    const qreal blockHeight = lines.size() * lineHeight + (lines.size() - 1) * m_lineSpacing;
    const Qt::Alignment align = alignment();
    qreal y = box.top();
    if (align & Qt::AlignVCenter)
        y = box.center().y() - blockHeight / 2;
    else if (align & Qt::AlignBottom)
        y = box.bottom() - blockHeight;

    QList<QPointF> origins;
    for (const QString &line : lines) {
        const qreal width = metrics.horizontalAdvance(line);
        qreal x = box.left();
        if (align & Qt::AlignHCenter)
            x = box.center().x() - width / 2;
        else if (align & Qt::AlignRight)
            x = box.right() - width;
        origins.append(QPointF(x, y + metrics.ascent()));
        y += lineHeight + m_lineSpacing;
    }
    return origins;
}

const QPainterPath &OutlineLabel::glyphs(const QString &text, const QRectF &box, const QTransform &device)
{
    const QFont current = font();
    const Qt::Alignment align = alignment();
    if (m_glyphsValid && m_glyphsText == text && m_glyphsBox == box && m_glyphsAlignment == align
        && m_glyphsLineSpacing == m_lineSpacing && m_glyphsDevice == device && m_glyphsFont == current)
        return m_glyphs;

    const QFontMetricsF metrics(current);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QList<QPointF> origins = baselines(lines, metrics, box);
    QPainterPath path;
    for (qsizetype i = 0; i < lines.size(); ++i)
        path.addText(origins.at(i), current, lines.at(i));
    m_glyphs = path;
    m_glyphsText = text;
    m_glyphsFont = current;
    m_glyphsBox = box;
    m_glyphsAlignment = align;
    m_glyphsLineSpacing = m_lineSpacing;
    m_glyphsDevice = device;
    m_glyphsValid = true;
    return m_glyphs;
}

void OutlineLabel::paintEvent(QPaintEvent *)
{
    const QString content = text();
    if (content.isEmpty())
        return;
    const QRectF box = QRectF(contentsRect()).marginsRemoved(QMarginsF(margin(), margin(), margin(), margin()));
    QPainter painter(this);
    if (m_outlineWidth <= 0 || !m_outlineColor.isValid()) {
        paintText(painter, content, box);
        return;
    }
    // Where on the device the label is drawn does not change the glyphs.
    QTransform device = painter.deviceTransform();
    device.setMatrix(device.m11(), device.m12(), device.m13(), device.m21(), device.m22(), device.m23(), 0, 0,
                     device.m33());
    // Stroking the outline is the dear part, and a screen repaints its
    // labels unchanged: the outlined glyphs are kept as a picture at the
    // screen's whole-number scale, upright, mirrored or turned half a turn
    // (the upside-down board), all of which map its pixels onto pixels.
    // Other turns and odd scales are drawn directly.
    const qreal scale = std::abs(device.m11());
    if (device.type() <= QTransform::TxScale && scale == std::abs(device.m22()) && scale >= 1
        && scale == std::floor(scale)) {
        const QString key = pictureKey(content, box, scale);
        if (key != m_pictureKey) {
            auto &live = livePictures();
            std::shared_ptr<const OutlinedPicture> picture = live.value(key).lock();
            if (!picture) {
                picture = std::make_shared<const OutlinedPicture>(drawPicture(glyphs(content, box, device), scale));
                constexpr qsizetype prunedAbove = 256;
                if (live.size() >= prunedAbove)
                    live.removeIf([](const auto &entry) { return entry.value().expired(); });
                live.insert(key, picture);
            }
            m_picture = std::move(picture);
            m_pictureKey = key;
        }
        painter.drawImage(m_picture->origin, m_picture->image);
        return;
    }
    drawOutlined(painter, glyphs(content, box, device));
}

QString OutlineLabel::pictureKey(const QString &text, const QRectF &box, qreal scale) const
{
    // The fill: the gradient, or the palette's colour, enabled or not.
    QString filled;
    if (m_startColor.isValid() && m_endColor.isValid())
        filled = QStringLiteral("%1>%2 %3,%4>%5,%6")
                     .arg(m_startColor.rgba())
                     .arg(m_endColor.rgba())
                     .arg(m_startPoint.x())
                     .arg(m_startPoint.y())
                     .arg(m_endPoint.x())
                     .arg(m_endPoint.y());
    else
        filled = QString::number(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()).rgba());
    return QStringList{text,
                       font().key(),
                       QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height()),
                       QString::number(int(alignment())),
                       QString::number(m_lineSpacing),
                       QStringLiteral("%1 %2").arg(m_outlineColor.rgba()).arg(m_outlineWidth),
                       filled,
                       QString::number(scale)}
        .join(QChar(0x1f));
}

void OutlineLabel::drawOutlined(QPainter &painter, const QPainterPath &path) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline goes under the fill, so that it frames the glyphs without thinning them.
    painter.strokePath(path, QPen(m_outlineColor, m_outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, fill(path.boundingRect()));
}

OutlinedPicture OutlineLabel::drawPicture(const QPainterPath &path, qreal scale) const
{
    // The pen reaches half its width beyond the glyphs; a pixel more for
    // the antialiased edge.
    const qreal reach = m_outlineWidth / 2 + 1;
    const QRect area = path.boundingRect().adjusted(-reach, -reach, reach, reach).toAlignedRect();
    OutlinedPicture picture{QImage(area.size() * scale, QImage::Format_ARGB32_Premultiplied), area.topLeft()};
    picture.image.setDevicePixelRatio(scale);
    picture.image.fill(Qt::transparent);
    QPainter painter(&picture.image);
    painter.translate(-area.topLeft());
    drawOutlined(painter, path);
    return picture;
}

// Without an outline the glyphs come from the font's glyph cache, as any
// label's do: filling their outlines as a path cost a large label's first
// frame milliseconds, and every later paint one more.
void OutlineLabel::paintText(QPainter &painter, const QString &content, const QRectF &box)
{
    const QFontMetricsF metrics(font());
    const QStringList lines = content.split(QLatin1Char('\n'));
    const QList<QPointF> origins = baselines(lines, metrics, box);
    QRectF inked;
    for (qsizetype i = 0; i < lines.size(); ++i)
        inked = inked.united(metrics.tightBoundingRect(lines.at(i)).translated(origins.at(i)));
    painter.setFont(font());
    painter.setPen(QPen(fill(inked), 0));
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(origins.at(i), lines.at(i));
}

QBrush OutlineLabel::fill(const QRectF &textBox) const
{
    if (!m_startColor.isValid() || !m_endColor.isValid())
        return palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole());
    QLinearGradient gradient(
        textBox.left() + m_startPoint.x() * textBox.width(), textBox.top() + m_startPoint.y() * textBox.height(),
        textBox.left() + m_endPoint.x() * textBox.width(), textBox.top() + m_endPoint.y() * textBox.height());
    gradient.setColorAt(0, m_startColor);
    gradient.setColorAt(1, m_endColor);
    return gradient;
}

} // namespace kestrune
