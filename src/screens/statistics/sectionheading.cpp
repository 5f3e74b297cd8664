#include "sectionheading.h"

#include "platform/resources/resources.h"

#include <QAccessibleWidget>

namespace kestrune {

namespace {

class AccessibleHeading : public QAccessibleWidget
{
public:
    explicit AccessibleHeading(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Heading)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        // The visible text is what is read, unless a name was given.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleHeading(const QString &className, QObject *object)
{
    if (className == QLatin1String(SectionHeading::staticMetaObject.className()))
        if (auto *heading = qobject_cast<SectionHeading *>(object))
            return new AccessibleHeading(heading);
    return nullptr;
}

} // namespace

SectionHeading::SectionHeading(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleHeading), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("SectionHeading"));
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    setPalette(colours);
}

} // namespace kestrune
