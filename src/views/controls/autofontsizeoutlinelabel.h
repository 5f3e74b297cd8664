#pragma once

#include "fontfitter.h"
#include "views/components/outlinelabel.h"

namespace kestrune {

// An outlined, gradient label that sizes its font like AutoFontSizeLabel and
// then sets its line spacing to a fifteenth of the fitted point size.
class AutoFontSizeOutlineLabel : public OutlineLabel
{
    Q_OBJECT

public:
    explicit AutoFontSizeOutlineLabel(QWidget *parent = nullptr);

    void fitFont();
    // How lines are measured; tests replace the measuring step.
    FontFitter &fitter() { return m_fitter; }

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    FontFitter m_fitter;
};

} // namespace kestrune
