#include "bulletsaccessible.h"

#include "bulletsview.h"

namespace kestrune {

namespace {
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(BulletsView::staticMetaObject.className()))
        if (auto *view = qobject_cast<BulletsView *>(object))
            return new BulletsAccessible(view);
    return nullptr;
}
} // namespace

BulletsAccessible::BulletsAccessible(BulletsView *view)
    : QAccessibleWidget(view, QAccessible::ListItem)
{
}

void BulletsAccessible::install()
{
    QAccessible::installFactory(factory);
}

QString BulletsAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    const auto *view = static_cast<const BulletsView *>(widget());
    return BulletsView::resultText(view->bulls(), view->cows());
}

} // namespace kestrune
