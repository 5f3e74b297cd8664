#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace kestrune {

// The modal overlays of each window: children that cover their window and
// stand for a dialog inside it. While one shows, it alone takes that
// window's keys and clicks: input aimed at anything behind it is dropped,
// keys typed elsewhere in the window are handed to it, and Tab cycles
// through its own controls. Overlays stack in the order they show; only the
// top one is reachable. An overlay may be bound to an owner, and closes when
// its owner is hidden or destroyed. GUI thread only.
class OverlayStack final : public QObject
{
    Q_OBJECT

public:
    static OverlayStack &instance();

    // Puts the overlay on top of its window's stack; it stays there while it
    // is visible and leaves by itself when it hides or is destroyed.
    void push(QWidget *overlay);
    // Closes the overlay when the owner is hidden or destroyed.
    void closeWith(QWidget *overlay, QWidget *owner);

    // The visible overlays of the window, bottom first.
    QList<QWidget *> overlays(const QWidget *window) const;
    // The top visible overlay of the window, or null.
    QWidget *top(const QWidget *window) const;

    // Gives the keyboard to the overlay: its default button, else its first
    // control that takes Tab, else the overlay itself.
    static void focusInside(QWidget *overlay);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QPointer<QWidget> overlay;
        QPointer<QWidget> owner;
    };

    OverlayStack() = default;
    Entry *entryFor(const QWidget *overlay);
    Entry &track(QWidget *overlay);
    void prune();
    bool filterInput(QWidget *receiver, QEvent *event);
    bool redirectKey(QWidget *overlay, QKeyEvent *event);
    static void cycleFocus(QWidget *overlay, bool forward);

    QList<Entry> m_entries;
    bool m_filtering = false;
    bool m_forwarding = false;
};

} // namespace kestrune
