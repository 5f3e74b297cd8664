#pragma once

#include "views/widgets/button.h"

namespace kestrune {

// The bar's hint button: a bulb with the number of hints left in a badge at
// its corner. It reads as "Hint, 2 left" to assistive technology; with none
// left it is switched off and the badge shows 0. While a hint is worked out
// it is busy: the bulb dims, the badge shows an ellipsis and it reads as
// "Hint, working". GUI thread only.
class HintButton : public Button
{
    Q_OBJECT

public:
    static constexpr int side = 44;
    static constexpr int iconSide = 26;
    static constexpr int badgeSide = 16;

    explicit HintButton(QWidget *parent = nullptr);

    int hintsLeft() const { return m_hintsLeft; }
    void setHintsLeft(int hints);
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateNames();

    int m_hintsLeft = 0;
    bool m_busy = false;
};

} // namespace kestrune
