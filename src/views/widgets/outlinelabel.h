#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <memory>

class QFontMetricsF;
class QPainter;

namespace kestrune {

struct OutlinedPicture;

// A label whose text is filled with a linear gradient and drawn with an
// outline. Gradient points are in unit coordinates of the text's box: (0.5, 0)
// to (0.5, 1) runs from top to bottom. Without gradient colours the text is
// filled with the palette's text colour; an outline width of 0 draws none.
// Lines are separated by '\n' and set `lineSpacing` points apart in addition
// to the font's own line height.
class OutlineLabel : public QLabel
{
    Q_OBJECT

public:
    explicit OutlineLabel(QWidget *parent = nullptr);

    QPointF gradientStartPoint() const { return m_startPoint; }
    QPointF gradientEndPoint() const { return m_endPoint; }
    void setGradientPoints(QPointF start, QPointF end);
    QColor gradientStartColor() const { return m_startColor; }
    QColor gradientEndColor() const { return m_endColor; }
    void setGradientColors(const QColor &start, const QColor &end);

    QColor outlineColor() const { return m_outlineColor; }
    qreal outlineWidth() const { return m_outlineWidth; }
    void setOutline(const QColor &color, qreal width);

    qreal lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(qreal spacing);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The glyphs' outlines are the same at every paint until the text, font,
    // box or the painter's scale change (the font's outlines follow the
    // pixels): they are made once, since making them from the font took a
    // large part of a board's paint.
    const QPainterPath &glyphs(const QString &text, const QRectF &box, const QTransform &device);
    // Where each line starts on its baseline, aligned in the box.
    QList<QPointF> baselines(const QStringList &lines, const QFontMetricsF &metrics, const QRectF &box) const;
    void paintText(QPainter &painter, const QString &content, const QRectF &box);
    void drawOutlined(QPainter &painter, const QPainterPath &path) const;
    OutlinedPicture drawPicture(const QPainterPath &path, qreal scale) const;
    // All that the outlined picture depends on: labels alike (the two
    // boards of a face-to-face match) share one picture.
    QString pictureKey(const QString &text, const QRectF &box, qreal scale) const;
    // The gradient over the text's box, or the palette's text colour.
    QBrush fill(const QRectF &textBox) const;

    QPainterPath m_glyphs;
    QString m_glyphsText;
    QFont m_glyphsFont;
    QRectF m_glyphsBox;
    Qt::Alignment m_glyphsAlignment;
    qreal m_glyphsLineSpacing = 0;
    QTransform m_glyphsDevice;
    bool m_glyphsValid = false;
    // The outlined glyphs as last drawn, shared with the labels alike.
    std::shared_ptr<const OutlinedPicture> m_picture;
    QString m_pictureKey;

    QPointF m_startPoint{0.5, 0.0};
    QPointF m_endPoint{0.5, 1.0};
    QColor m_startColor;
    QColor m_endColor;
    QColor m_outlineColor;
    qreal m_outlineWidth = 0;
    qreal m_lineSpacing = 0;
};

} // namespace kestrune
