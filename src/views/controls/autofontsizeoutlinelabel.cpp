#include "autofontsizeoutlinelabel.h"

#include <QEvent>

namespace kestrune {

AutoFontSizeOutlineLabel::AutoFontSizeOutlineLabel(QWidget *parent)
    : OutlineLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void AutoFontSizeOutlineLabel::fitFont()
{
    const QFont fitted = m_fitter.fit(*this);
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
