#pragma once

#include "views/widgets/button.h"

#include <QColor>

namespace kestrune {

// The onboarding card's wide button: a pill in a colour of the caller's
// choosing (not a named colour, as the other buttons take) with its title.
class OnboardingButton : public Button
{
    Q_OBJECT

public:
    explicit OnboardingButton(QWidget *parent = nullptr);

    QColor tintColor() const { return m_tintColor; }
    void setTintColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_tintColor;
};

} // namespace kestrune
