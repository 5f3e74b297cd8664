#include "outlinelabel.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kestrune {

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
    const QPainterPath &path = glyphs(content, box, device);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline goes under the fill, so that it frames the glyphs without thinning them.
    painter.strokePath(path, QPen(m_outlineColor, m_outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, fill(path.boundingRect()));
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
