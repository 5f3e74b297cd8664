#include "autofontsizeoutlinelabel.h"

#include <QEvent>

namespace kestrune {

AutoFontSizeOutlineLabel::AutoFontSizeOutlineLabel(QWidget *parent)
    : OutlineLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void AutoFontSizeOutlineLabel::setMeasure(FontFitter::Measure measure)
{
    m_measure = std::move(measure);
}

void AutoFontSizeOutlineLabel::fitFont()
{
    const QFont fitted = FontFitter::fittedFont(text(), font(), height(), m_measure ? m_measure : FontFitter::lineHeight);
    setFont(fitted);
    setLineSpacing(fitted.pointSizeF() / 15);
}

bool AutoFontSizeOutlineLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        fitFont();
    return OutlineLabel::event(event);
}

void AutoFontSizeOutlineLabel::resizeEvent(QResizeEvent *event)
{
    OutlineLabel::resizeEvent(event);
    fitFont();
}

} // namespace kestrune
