#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace kestrune {

// Gives a shown window its new minimum size once the window system reports
// the size the window was asked to take (a window not shown gets it at once). Sent together with the resize, a
// window manager may read the new minimum first and fit the old size to it:
// a size the window never keeps, at which the whole screen is laid out.
// One at a time per window: a newer one replaces the last. GUI thread only.
class DeferredMinimumSize : public QObject
{
    Q_OBJECT

public:
    // Should the window system never report that size.
    static constexpr int fallbackMs = 500;

    // `window` is a top-level widget, just asked to resize to `size`.
    static void apply(QWidget *window, QSize size, QSize minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    DeferredMinimumSize(QWidget *window, QSize size, QSize minimum);
    void finish();

    QSize m_size;
    QSize m_minimum;
    bool m_done = false;
};

} // namespace kestrune
