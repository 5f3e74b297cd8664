#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// Qt's platform layer, reduced to the two exported functions that switch
// accessibility on. Qt sends its events only while an assistive tool
// listens; headless there is none, and Debian ships no private headers.
class QPlatformAccessibility
{
public:
    void setActive(bool active);
};
class QPlatformIntegration
{
public:
    // The base implementation, which the headless platform keeps.
    QPlatformAccessibility *accessibility() const;
};
class QGuiApplicationPrivate
{
public:
    static QPlatformIntegration *platform_integration;
};

namespace kestrune::test {

// Records the accessibility events sent while it lives, with the name of
// their object at that moment. One at a time; GUI thread only.
class AccessibilityRecorder
{
public:
    struct Event
    {
        QAccessible::Event type;
        QPointer<QObject> object;
        QString name;
    };

    AccessibilityRecorder()
    {
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
        current() = this;
        m_previous = QAccessible::installUpdateHandler(&record);
    }
    ~AccessibilityRecorder()
    {
        QAccessible::installUpdateHandler(m_previous);
        current() = nullptr;
    }
    AccessibilityRecorder(const AccessibilityRecorder &) = delete;
    AccessibilityRecorder &operator=(const AccessibilityRecorder &) = delete;

    static bool isActive() { return QAccessible::isActive(); }
    const QList<Event> &events() const { return m_events; }
    void clear() { m_events.clear(); }
    // The names the object had at each event of the type, in order.
    QStringList names(const QObject *object, QAccessible::Event type) const
    {
        QStringList out;
        for (const Event &e : m_events)
            if (e.object == object && e.type == type)
                out.append(e.name);
        return out;
    }

private:
    static AccessibilityRecorder *&current()
    {
        static AccessibilityRecorder *recorder = nullptr;
        return recorder;
    }
    static void record(QAccessibleEvent *event)
    {
        QAccessibleInterface *iface = event->accessibleInterface();
        current()->m_events.append(
            {event->type(), event->object(), iface ? iface->text(QAccessible::Name) : QString()});
    }

    QAccessible::UpdateHandler m_previous = nullptr;
    QList<Event> m_events;
};

// The enabled controls under root that assistive technology would read as
// nothing: buttons and the like with an empty name, by object name.
inline QStringList unnamedControls(QWidget *root)
{
    static const QList<QAccessible::Role> controls = {
        QAccessible::PushButton,  QAccessible::Button,   QAccessible::CheckBox,
        QAccessible::RadioButton, QAccessible::ComboBox, QAccessible::ButtonMenu,
        QAccessible::Slider,      QAccessible::SpinBox,  QAccessible::EditableText,
    };
    QStringList unnamed;
    QList<QAccessibleInterface *> pending = {QAccessible::queryAccessibleInterface(root)};
    while (!pending.isEmpty()) {
        QAccessibleInterface *iface = pending.takeFirst();
        if (!iface)
            continue;
        const bool control = controls.contains(iface->role());
        if (control && !iface->state().disabled && iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(iface->object() ? iface->object()->objectName() : QStringLiteral("?"));
        for (int i = 0; i < iface->childCount(); ++i)
            pending.append(iface->child(i));
    }
    return unnamed;
}

// Everything assistive technology reaches from root that a reader would
// stop at yet hear nothing: focusable or interactive elements without a
// name, and elements whose parent does not lead back (an island, such as a
// widget shown in a graphics scene that claims to be a window of its own).
// Decoration marked invisible is passed over with what it holds. Each entry
// is the element's object name, class and role, with what is wrong.
inline QStringList unnamedElements(QWidget *root)
{
    static const QList<QAccessible::Role> interactive = {
        QAccessible::PushButton,   QAccessible::Button,     QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::ComboBox,     QAccessible::ButtonMenu, QAccessible::Slider,   QAccessible::SpinBox,
        QAccessible::EditableText, QAccessible::List,       QAccessible::ListItem, QAccessible::Table,
        QAccessible::Link,         QAccessible::PageTab,    QAccessible::MenuItem,
    };
    const auto describe = [](QAccessibleInterface *iface, const char *fault) {
        const QObject *object = iface->object();
        return QStringLiteral("%1 (%2, role 0x%3): %4")
            .arg(object ? object->objectName() : QStringLiteral("?"),
                 object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("?"),
                 QString::number(int(iface->role()), 16), QString::fromLatin1(fault));
    };
    QStringList faults;
    QAccessibleInterface *top = QAccessible::queryAccessibleInterface(root);
    QList<QAccessibleInterface *> pending = {top};
    while (!pending.isEmpty()) {
        QAccessibleInterface *iface = pending.takeFirst();
        if (!iface || !iface->isValid())
            continue;
        const QAccessible::State state = iface->state();
        if (state.invisible)
            continue;
        // A table may leave a cell blank; its row and column still say where the reader is.
        const bool cell = iface->role() == QAccessible::Cell || iface->role() == QAccessible::TreeItem;
        const bool reachable = !cell && (state.focusable || interactive.contains(iface->role()));
        if (reachable && !state.disabled && iface->text(QAccessible::Name).trimmed().isEmpty())
            faults.append(describe(iface, "no name"));
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *child = iface->child(i);
            if (!child)
                continue;
            QAccessibleInterface *back = child->parent();
            if (!back || back->object() != iface->object())
                faults.append(describe(child, "parent leads elsewhere"));
            pending.append(child);
        }
    }
    // A widget drawn in a graphics scene has no parent widget: unless its
    // interface says where it belongs, it floats beside the window.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        const QGraphicsProxyWidget *proxy = widget->graphicsProxyWidget();
        if (!widget->isVisible() || !proxy || !proxy->scene() || !root->isAncestorOf(proxy->scene()->views().value(0)))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        QAccessibleInterface *parent = iface ? iface->parent() : nullptr;
        if (!parent || parent->role() == QAccessible::Application)
            faults.append(describe(iface, "top-level in a scene"));
    }
    return faults;
}

} // namespace kestrune::test
