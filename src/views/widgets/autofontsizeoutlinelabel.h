#pragma once

#include "fontfitter.h"
#include "views/widgets/outlinelabel.h"

namespace kestrune {

// An outlined, gradient label that sizes its font like AutoFontSizeLabel and
// then sets its line spacing to a fifteenth of the fitted point size.
class AutoFontSizeOutlineLabel : public OutlineLabel
{
    Q_OBJECT

public:
    explicit AutoFontSizeOutlineLabel(QWidget *parent = nullptr);

    void fitFont() { m_fitter->fit(); }

private:
    FontFitter *m_fitter;
};

} // namespace kestrune
