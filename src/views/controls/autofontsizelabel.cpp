#include "autofontsizelabel.h"

#include <QEvent>

namespace kestrune {

AutoFontSizeLabel::AutoFontSizeLabel(QWidget *parent)
    : QLabel(parent)
{
    // The font follows the height; the text must not push the height around.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void AutoFontSizeLabel::fitFont()
{
    setFont(m_fitter.fit(*this));
}

bool AutoFontSizeLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        fitFont();
    return QLabel::event(event);
}

void AutoFontSizeLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fitFont();
}

} // namespace kestrune
