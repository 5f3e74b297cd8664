#include "servicebuttonstyle.h"

#include "platform/resources/resources.h"
#include "views/widgets/button.h"

namespace kestrune {

void styleServiceButton(Button &button, bool primary)
{
    if (primary) {
        button.setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
        button.setTitleColor(Qt::white);
    } else {
        button.setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QStringLiteral("placeholder"));
        button.setTitleColor(Resources::color(QStringLiteral("label")));
    }
    button.setCornerRadius(16);
    button.setMinimumHeight(32);
    button.setAutoDefault(false);
    button.setFocusPolicy(Qt::StrongFocus);
}

} // namespace kestrune
