#include "overlaystack.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace kestrune {

namespace {
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

// The widget an input event is meant for: shortcuts go to their object,
// which belongs to a widget.
QWidget *receiverWidget(QObject *watched)
{
    if (auto *widget = qobject_cast<QWidget *>(watched))
        return widget;
    if (auto *shortcut = qobject_cast<QShortcut *>(watched))
        return qobject_cast<QWidget *>(shortcut->parent());
    return nullptr;
}

bool takesTab(const QWidget *widget)
{
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

// The overlay's controls that take Tab, in focus-chain order.
QList<QWidget *> tabStops(QWidget *overlay)
{
    QList<QWidget *> stops;
    for (QWidget *w = overlay->nextInFocusChain(); w && w != overlay; w = w->nextInFocusChain()) {
        if (overlay->isAncestorOf(w) && takesTab(w) && !stops.contains(w))
            stops.append(w);
        if (stops.size() > 1000)
            break;
    }
    return stops;
}
} // namespace

OverlayStack &OverlayStack::instance()
{
    // Never destroyed: overlays may outlive any object that could own it.
    static OverlayStack *stack = new OverlayStack;
    return *stack;
}

OverlayStack::Entry *OverlayStack::entryFor(const QWidget *overlay)
{
    auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [overlay](const Entry &e) { return e.overlay == overlay; });
    return it == m_entries.end() ? nullptr : &*it;
}

OverlayStack::Entry &OverlayStack::track(QWidget *overlay)
{
    if (Entry *entry = entryFor(overlay))
        return *entry;
    m_entries.append(Entry{overlay, {}});
    connect(overlay, &QObject::destroyed, this,
            [this] { QMetaObject::invokeMethod(this, &OverlayStack::prune, Qt::QueuedConnection); });
    if (!m_filtering) {
        m_filtering = true;
        qApp->installEventFilter(this);
    }
    return m_entries.last();
}

void OverlayStack::push(QWidget *overlay)
{
    if (!overlay)
        return;
    const Entry entry = track(overlay);
    m_entries.removeIf([overlay](const Entry &e) { return e.overlay == overlay; });
    m_entries.append(entry);
}

void OverlayStack::closeWith(QWidget *overlay, QWidget *owner)
{
    if (!overlay || !owner)
        return;
    Entry &entry = track(overlay);
    if (entry.owner == owner)
        return;
    entry.owner = owner;
    // Later: while the owner is being destroyed, its widgets (where the
    // keyboard may go back to) are half gone.
    connect(
        owner, &QObject::destroyed, overlay, [overlay] { overlay->close(); }, Qt::QueuedConnection);
}

void OverlayStack::prune()
{
    m_entries.removeIf([](const Entry &e) { return e.overlay.isNull(); });
    // Nothing watches the application's events while no overlay exists.
    if (m_entries.isEmpty() && m_filtering) {
        m_filtering = false;
        qApp->removeEventFilter(this);
    }
}

QList<QWidget *> OverlayStack::overlays(const QWidget *window) const
{
    QList<QWidget *> shown;
    for (const Entry &entry : m_entries) {
        if (entry.overlay && entry.overlay->isVisible() && entry.overlay->window() == window)
            shown.append(entry.overlay);
    }
    return shown;
}

QWidget *OverlayStack::top(const QWidget *window) const
{
    const QList<QWidget *> shown = overlays(window);
    return shown.isEmpty() ? nullptr : shown.last();
}

void OverlayStack::focusInside(QWidget *overlay)
{
    if (!overlay)
        return;
    const QList<QPushButton *> buttons = overlay->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->isDefault() && takesTab(button)) {
            button->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
    const QList<QWidget *> stops = tabStops(overlay);
    if (!stops.isEmpty())
        stops.first()->setFocus(Qt::ActiveWindowFocusReason);
    else
        overlay->setFocus(Qt::ActiveWindowFocusReason);
}

void OverlayStack::cycleFocus(QWidget *overlay, bool forward)
{
    const QList<QWidget *> stops = tabStops(overlay);
    if (stops.isEmpty())
        return;
    const qsizetype at = stops.indexOf(QApplication::focusWidget());
    qsizetype next = 0;
    if (at < 0)
        next = forward ? 0 : stops.size() - 1;
    else
        next = (at + (forward ? 1 : stops.size() - 1)) % stops.size();
    stops[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool OverlayStack::redirectKey(QWidget *overlay, QKeyEvent *event)
{
    // A key typed while the keyboard sat behind the overlay belongs to the
    // overlay; the keyboard moves there with it.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !overlay->isAncestorOf(focus)) {
        focusInside(overlay);
        focus = QApplication::focusWidget();
    }
    QWidget *target = focus && (focus == overlay || overlay->isAncestorOf(focus)) ? focus : overlay;
    m_forwarding = true;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->nativeScanCode(), event->nativeVirtualKey(),
                   event->nativeModifiers(), event->text(), event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(target, &copy);
    m_forwarding = false;
    return true;
}

bool OverlayStack::filterInput(QWidget *receiver, QEvent *event)
{
    QWidget *window = receiver->window();
    QWidget *overlay = top(window);
    if (!overlay || overlay == window)
        return false;
    const bool inside = receiver == overlay || overlay->isAncestorOf(receiver);
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (inside && tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            cycleFocus(overlay, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (inside)
            return false;
        // A key the overlay ignored climbs to its ancestors: it ends there,
        // unheard by the screens behind. Any other comes from behind the
        // overlay and is handed to it.
        if (receiver->isAncestorOf(overlay) || m_forwarding)
            return true;
        return redirectKey(overlay, key);
    }
    return !inside;
}

bool OverlayStack::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::HideToParent) {
        for (const Entry &entry : std::as_const(m_entries)) {
            if (entry.owner == watched && entry.overlay && entry.overlay->isVisible()) {
                QPointer<QWidget> overlay = entry.overlay;
                // Closed later: the owner is in the middle of hiding.
                QMetaObject::invokeMethod(
                    overlay,
                    [overlay] {
                        if (overlay)
                            overlay->close();
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }
    if (!isInput(type))
        return false;
    QWidget *receiver = receiverWidget(watched);
    return receiver && filterInput(receiver, event);
}

} // namespace kestrune
