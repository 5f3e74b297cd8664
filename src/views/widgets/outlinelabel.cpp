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

const QPainterPath &OutlineLabel::glyphs(const QString &text, const QRectF &box, const QTransform &device)
{
    const QFont current = font();
    const Qt::Alignment align = alignment();
    if (m_glyphsValid && m_glyphsText == text && m_glyphsBox == box && m_glyphsAlignment == align
        && m_glyphsLineSpacing == m_lineSpacing && m_glyphsDevice == device && m_glyphsFont == current)
        return m_glyphs;

    const QFontMetricsF metrics(current);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qreal lineHeight = metrics.height();
    const qreal blockHeight = lines.size() * lineHeight + (lines.size() - 1) * m_lineSpacing;
    qreal y = box.top();
    if (align & Qt::AlignVCenter)
        y = box.center().y() - blockHeight / 2;
    else if (align & Qt::AlignBottom)
        y = box.bottom() - blockHeight;

    QPainterPath path;
    for (const QString &line : lines) {
        const qreal width = metrics.horizontalAdvance(line);
        qreal x = box.left();
        if (align & Qt::AlignHCenter)
            x = box.center().x() - width / 2;
        else if (align & Qt::AlignRight)
            x = box.right() - width;
        path.addText(QPointF(x, y + metrics.ascent()), current, line);
        y += lineHeight + m_lineSpacing;
    }
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
    // Where on the device the label is drawn does not change the glyphs.
    QTransform device = painter.deviceTransform();
    device.setMatrix(device.m11(), device.m12(), device.m13(), device.m21(), device.m22(), device.m23(), 0, 0,
                     device.m33());
    const QPainterPath &path = glyphs(content, box, device);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline goes under the fill, so that it frames the glyphs without thinning them.
    if (m_outlineWidth > 0 && m_outlineColor.isValid())
        painter.strokePath(path, QPen(m_outlineColor, m_outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF textBox = path.boundingRect();
    if (m_startColor.isValid() && m_endColor.isValid()) {
        QLinearGradient gradient(textBox.left() + m_startPoint.x() * textBox.width(),
                                 textBox.top() + m_startPoint.y() * textBox.height(),
                                 textBox.left() + m_endPoint.x() * textBox.width(),
                                 textBox.top() + m_endPoint.y() * textBox.height());
        gradient.setColorAt(0, m_startColor);
        gradient.setColorAt(1, m_endColor);
        painter.fillPath(path, gradient);
    } else {
        painter.fillPath(path, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    }
}

} // namespace kestrune
