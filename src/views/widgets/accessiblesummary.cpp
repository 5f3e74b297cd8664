#include "accessiblesummary.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace kestrune::AccessibleSummary {

namespace {

// The dynamic property that marks a widget, and its values.
constexpr char presentationProperty[] = "kestrune_accessiblePresentation";
constexpr char roleProperty[] = "kestrune_accessibleRole";
enum Presentation { one = 1, decoration = 2 };

class SummaryAccessible : public QAccessibleWidget
{
public:
    SummaryAccessible(QWidget *widget, QAccessible::Role role, bool hidden)
        : QAccessibleWidget(widget, role)
        , m_hidden(hidden)
    {
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (m_hidden) {
            s.invisible = true;
            s.focusable = false;
        }
        return s;
    }

private:
    bool m_hidden;
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    switch (widget->property(presentationProperty).toInt()) {
    case one:
        return new SummaryAccessible(widget, QAccessible::Role(widget->property(roleProperty).toInt()), false);
    case decoration:
        return new SummaryAccessible(widget, QAccessible::Pane, true);
    default:
        return nullptr;
    }
}

void mark(QWidget *widget, Presentation presentation, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
    widget->setProperty(presentationProperty, int(presentation));
    widget->setProperty(roleProperty, int(role));
    forgetInterface(widget);
}

} // namespace

void readAsOne(QWidget *widget, QAccessible::Role role)
{
    mark(widget, one, role);
}

void hideDecoration(QWidget *widget)
{
    mark(widget, decoration, QAccessible::Pane);
}

void forgetInterface(QObject *object)
{
    // Qt keeps one interface per object until the object dies; asking for
    // its id makes one if there was none, which is then dropped as well.
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace kestrune::AccessibleSummary
