#include "roundedshadowstyle.h"

#include "button.h"

#include <QGraphicsDropShadowEffect>

namespace kestrune {

void RoundedShadowStyle::apply(Button &button, qreal height)
{
    button.setCornerRadius(height);
    auto *shadow = new QGraphicsDropShadowEffect(&button);
    shadow->setColor(QColor(0, 0, 0, int(0.2 * 255)));
    shadow->setOffset(0, 1);
    shadow->setBlurRadius(3);
    button.setGraphicsEffect(shadow);
}

} // namespace kestrune
