#include "roundedshadowstyle.h"

#include "button.h"
#include "shadoweffect.h"

namespace kestrune {

void RoundedShadowStyle::apply(Button &button, qreal height)
{
    button.setCornerRadius(height);
    button.setGraphicsEffect(new ShadowEffect(QColor(0, 0, 0, int(0.2 * 255)), QPointF(0, 1), 3, &button));
}

} // namespace kestrune
