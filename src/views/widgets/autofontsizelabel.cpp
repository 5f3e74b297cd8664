#include "autofontsizelabel.h"

namespace kestrune {

AutoFontSizeLabel::AutoFontSizeLabel(QWidget *parent)
    : QLabel(parent)
    , m_fitter(new FontFitter(this, [this](const QFont &fitted) { setFont(fitted); }))
{
    // The font follows the height; the text must not push the height around.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

} // namespace kestrune
