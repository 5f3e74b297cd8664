#include "moderndialogbutton.h"

#include "platform/resources/resources.h"

namespace kestrune {

ModernDialogButton::ModernDialogButton(const QString &title, int height, bool dismissOnTap,
                                       std::function<void()> action, QWidget *parent)
    : DialogButton(title, height, dismissOnTap, std::move(action), parent)
{
}

void ModernDialogButton::setupView()
{
    setDefaultTitleColor(Resources::color(QStringLiteral("secondaryLabel")));
    setDefaultSeparatorColor(Resources::color(QStringLiteral("secondarySystemBackground")));
    DialogButton::setupView();
}

} // namespace kestrune
