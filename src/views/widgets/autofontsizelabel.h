#pragma once

#include "fontfitter.h"

#include <QLabel>

namespace kestrune {

// A label that sizes its font on every layout pass (each resize, and before
// it first shows) so that one line of its text fills its height.
class AutoFontSizeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit AutoFontSizeLabel(QWidget *parent = nullptr);

    // The layout pass's fitting, also for a new text at the same height.
    void fitFont() { m_fitter->fit(); }

private:
    FontFitter *m_fitter;
};

} // namespace kestrune
