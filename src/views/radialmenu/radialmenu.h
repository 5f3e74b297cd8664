#pragma once

#include "views/widgets/button.h"

#include <QList>
#include <QPointer>

class QVariantAnimation;

namespace kestrune {

class RadialMenuDelegate;

// A round centre button that opens a ring of mode buttons around itself.
// The mode buttons are children of the host (the centre button's parent
// unless set), so the ring may reach beyond the centre button's own bounds;
// they fan out on an arc above the centre, ringDistance() points from it:
// two 60 degrees apart, three or more evenly over 90 degrees, and closer
// where the host is too narrow for that.
//
// A tap on the centre opens the ring; a second tap, a press anywhere outside
// the ring or Escape closes it; a tap on a mode button picks it and closes
// the ring. Opening and closing are short animations (Qt's animation clock).
// Keys: Return or Space on the centre toggles the ring, which gives the
// first mode button the focus; arrows and Tab move between the mode buttons,
// Return or Space picks one. GUI thread only.
class RadialMenu : public Button
{
    Q_OBJECT

public:
    static constexpr int animationMs = 250;

    explicit RadialMenu(QWidget *parent = nullptr);
    ~RadialMenu() override;

    // Not owned; may be null (nothing is told).
    RadialMenuDelegate *delegate() const { return m_delegate; }
    void setDelegate(RadialMenuDelegate *delegate) { m_delegate = delegate; }

    // Distance from the centre button's centre to each mode button's centre, > 0.
    qreal ringDistance() const { return m_ringDistance; }
    void setRingDistance(qreal distance);

    // Makes `count` mode buttons (>= 1), named by `names` for assistive
    // technology; any earlier ones go. Only while the ring is closed.
    void setModeButtons(const QStringList &names);
    QList<Button *> modeButtons() const;
    // Side of each mode button's square.
    qreal modeButtonSide() const { return m_modeSide; }
    void setModeButtonSide(qreal side);

    // The widget the ring is drawn in; the parent by default.
    QWidget *host() const;
    void setHost(QWidget *host);

    // Icons of the centre while closed and while open.
    void setIconNames(const QString &closed, const QString &open);
    // Accessible names of the centre while closed and while open: the
    // centre says what a press does, like its icon.
    void setSpokenNames(const QString &closed, const QString &open);

    bool isOpen() const { return m_open; }
    // Where each mode button stands when the ring is fully open, in host
    // coordinates.
    QRectF modeButtonFrame(int index) const;

public slots:
    void open();
    void close();
    void toggle();

signals:
    // After the opening or closing animation has finished.
    void opened();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void pick(int index);
    void setProgress(qreal progress);
    void animateTo(qreal target);
    void finishAnimation();
    bool isInsideRing(const QPoint &globalPos) const;
    void moveFocus(int step);

    RadialMenuDelegate *m_delegate = nullptr;
    QPointer<QWidget> m_host;
    QList<QPointer<Button>> m_modeButtons;
    QVariantAnimation *m_animation;
    qreal m_ringDistance = 190;
    qreal m_modeSide = 76;
    qreal m_progress = 0;
    QString m_closedIcon;
    QString m_openIcon;
    QString m_closedName;
    QString m_openName;
    bool m_open = false;
    bool m_configuring = false;
};

} // namespace kestrune
