#include "fontfitter.h"

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
    do {
        mid = lo + (hi - lo) * 0.5;
        if (text.isEmpty())
            break;
        probe.setPointSizeF(mid);
        const qreal diff = target - measure(probe, text);
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

QFont FontFitter::fittedFont(const QString &text, const QFont &font, qreal height, const Measure &measure)
{
    QFont fitted = font;
    fitted.setPointSizeF(fittedPointSize(text, font, height, measure));
    return fitted;
}

QFont FontFitter::fit(const QLabel &label) const
{
    return fittedFont(label.text(), label.font(), label.height(), m_measure);
}

void FontFitter::setMeasure(Measure measure)
{
    m_measure = measure ? std::move(measure) : Measure(lineHeight);
}

} // namespace kestrune
