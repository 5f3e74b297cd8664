#include "autofontsizeoutlinelabel.h"

namespace kestrune {

AutoFontSizeOutlineLabel::AutoFontSizeOutlineLabel(QWidget *parent)
    : OutlineLabel(parent)
    , m_fitter(new FontFitter(this, [this](const QFont &fitted) {
        setFont(fitted);
        setLineSpacing(fitted.pointSizeF() / 15);
    }))
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

} // namespace kestrune
