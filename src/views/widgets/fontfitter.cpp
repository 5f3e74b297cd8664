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

FontFitter::FontFitter(QLabel *label, std::function<void(const QFont &)> apply)
    : QObject(label)
    , m_label(label)
    , m_apply(std::move(apply))
{
    label->installEventFilter(this);
}

void FontFitter::fit()
{
    m_apply(fittedFont(m_label->text(), m_label->font(), m_label->height()));
}

bool FontFitter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && (event->type() == QEvent::Resize || event->type() == QEvent::Polish))
        fit();
    return false;
}

} // namespace kestrune
