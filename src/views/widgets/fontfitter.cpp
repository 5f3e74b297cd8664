#include "fontfitter.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>

#include <cmath>

namespace kestrune {

qreal FontFitter::lineHeight(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).size(Qt::TextSingleLine, text).height();
}

qreal FontFitter::fittedPointSize(const QString &text, const QFont &font, qreal height, const Measure &measure)
{
    const qreal target = std::ceil(height);
    qreal lo = minimumPointSize;
    qreal hi = maximumPointSize;
    qreal mid = lo;
    QFont probe = font;
    // Each size measured has the toolkit load the font at that size, which
    // is most of a fit's time. A line's height grows with the size, off by
    // the rounding to whole pixels, so the first measurement predicts the
    // rest: a size clearly too large or too small is decided on the
    // prediction, and only those near the target are measured.
    qreal perPoint = 0;
    do {
        mid = lo + (hi - lo) * 0.5;
        if (text.isEmpty())
            break;
        qreal diff = 0;
        const qreal predicted = perPoint * mid;
        if (perPoint > 0 && std::abs(target - predicted) > predictionMargin(predicted)) {
            diff = target - predicted;
        } else {
            probe.setPointSizeF(mid);
            const qreal line = measure(probe, text);
            diff = target - line;
            if (perPoint <= 0 && line > 0)
                perPoint = line / mid;
        }
        if (mid == lo || mid == hi)
            return diff < 0 ? mid - 1 : mid;
        if (diff < 0)
            hi = mid - 1;
        else if (diff > 0)
            lo = mid + 1;
        else
            return mid;
    } while (lo <= hi);
    return mid;
}

qreal FontFitter::predictionMargin(qreal predicted)
{
    // Twice the rounding measured in real fonts at its worst against this
    // margin (0.63 px at a 13 px line).
    return 1.0 + 0.02 * predicted;
}

QFont FontFitter::fittedFont(const QString &text, const QFont &font, qreal height, const Measure &measure)
{
    QFont fitted = font;
    fitted.setPointSizeF(fittedPointSize(text, font, height, measure));
    return fitted;
}

FontFitter::FontFitter(QLabel *label, std::function<void(const QFont &)> apply)
    : QObject(label)
    , m_label(label)
    , m_apply(std::move(apply))
{
    label->installEventFilter(this);
}

void FontFitter::fit()
{
    const QString text = m_label->text();
    const int height = m_label->height();
    // Squeezed to nothing, say while its screen turns, it shows no text to fit.
    if (height <= 0)
        return;
    // A screen made ahead is fitted there; showing it resends the resize it
    // was laid out with. The same text in the font last given, at the same
    // height, fits as before.
    if (m_fitted && text == m_fittedText && height == m_fittedHeight && m_label->font() == *m_fitted)
        return;
    m_apply(fittedFont(text, m_label->font(), height));
    m_fittedText = text;
    m_fittedHeight = height;
    m_fitted = m_label->font();
}

bool FontFitter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_label)
        return false;
    // A label polished before it is first laid out still has the size it was
    // made with; the resize it is waiting for comes before it shows, and
    // fits it at the height it will have.
    if (event->type() == QEvent::Resize
        || (event->type() == QEvent::Polish && !m_label->testAttribute(Qt::WA_PendingResizeEvent)))
        fit();
    return false;
}

} // namespace kestrune
